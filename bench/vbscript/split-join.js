// JavaScript twin of split-join.vbs for the peers.
var parts = new Array(100000);
for (var i = 0; i < 100000; i++) parts[i] = "word" + (i % 10);
var text = parts.join(" ");
var n = 0, back = "";
for (var i = 1; i <= 10; i++) {
    var words = text.split(" ");
    back = words.join(",");
    n = n + words.length;
}
console.log(n + " " + back.length);
