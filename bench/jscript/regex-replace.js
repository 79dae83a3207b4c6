// A global regular-expression replace over 1 MB of text.
var parts = [];
for (var i = 0; i < 20000; i++) parts.push("word" + i + " 123 other-text, ");
var text = parts.join("").substring(0, 1048576);
var out = text.replace(/\d+/g, "#");
console.log(out.length);
