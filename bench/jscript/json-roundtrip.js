// JSON.stringify and JSON.parse of a structure of about 1 MB.
var items = [];
for (var i = 0; i < 12000; i++) items.push({ id: i, name: "item" + i, tags: ["a", "b", "c"], price: i * 1.5, ok: i % 2 == 0 });
var text = JSON.stringify({ items: items });
var back = JSON.parse(text);
console.log(text.length + " " + back.items.length);
