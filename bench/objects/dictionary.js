// 1,000,000 adds and 1,000,000 lookups in a Scripting.Dictionary, number keys then string keys
var d = new ActiveXObject("Scripting.Dictionary");
for (var i = 1; i <= 1000000; i++) d.Add(i, i);
var found = 0;
for (var i = 1; i <= 1000000; i++) if (d.Exists(i)) found++;
var s = new ActiveXObject("Scripting.Dictionary");
for (var i = 1; i <= 1000000; i++) s.Add("k" + i, i);
var total = 0;
for (var i = 1; i <= 1000000; i++) total += s.Item("k" + i);
console.log(found + " " + d.Count + " " + total);
