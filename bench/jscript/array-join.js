// Building a 1,000,000-element array with push and joining it.
var a = [];
for (var i = 0; i < 1000000; i++) a.push(i % 10);
var s = a.join("");
console.log(s.length);
