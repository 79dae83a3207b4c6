// JavaScript twin of arith-loop.vbs for the peers.
var a = 0, b = 0.5;
for (var i = 1; i <= 10000000; i++) {
    a = (a + i) % 65521;
    b = b * 0.999999 + 1;
}
console.log(a + " " + Math.floor(b));
