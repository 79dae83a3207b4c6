// A 10,000,000-step arithmetic loop inside a function (locals in slots).
function run() {
    var x = 0;
    for (var i = 0; i < 10000000; i++) {
        x = (x + i * 3) % 65521;
    }
    return x;
}
console.log(run());
