// Sorting 200,000 numbers with a comparator.
var a = [];
var seed = 12345;
for (var i = 0; i < 200000; i++) {
    seed = (seed * 1103515245 + 12345) % 2147483648;
    a.push(seed % 1000000);
}
a.sort(function (x, y) { return x - y; });
console.log(a[0] + " " + a[a.length - 1]);
