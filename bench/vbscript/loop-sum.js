// JavaScript twin of loop-sum.vbs for the peers.
var total = 0;
for (var i = 1; i <= 1000000; i++) {
    total = (total + i * 7) % 1000003;
}
console.log(total);
