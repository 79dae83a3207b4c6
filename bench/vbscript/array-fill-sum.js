// JavaScript twin of array-fill-sum.vbs for the peers.
var a = new Array(1000000);
for (var i = 0; i < 1000000; i++) a[i] = i % 1000;
var total = 0;
for (var i = 0; i < 1000000; i++) total = total + a[i];
console.log(total);
