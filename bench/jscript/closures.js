// Creating and calling closures in a loop.
function makeAdder(n) { return function (x) { return x + n; }; }
var total = 0;
for (var i = 0; i < 1000000; i++) {
    var add = makeAdder(i);
    total = (total + add(1)) % 1000007;
}
console.log(total);
