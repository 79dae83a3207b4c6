// JavaScript twin of string-concat.vbs for the peers.
var s = "";
for (var i = 1; i <= 200000; i++) {
    s = s + "x" + (i % 10);
}
console.log(s.length);
