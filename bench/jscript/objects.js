// 200,000 objects created and read back through their properties.
function Point(x, y) { this.x = x; this.y = y; }
var list = [];
for (var i = 0; i < 200000; i++) list.push(new Point(i, i * 2));
var sum = 0;
for (var j = 0; j < list.length; j++) sum += list[j].x + list[j].y;
console.log(sum);
