// A counting loop with number arithmetic: the interpreter's basic dispatch speed.
var total = 0;
for (var i = 1; i <= 1000000; i++) {
    total = (total + i * 7) % 1000003;
}
console.log(total);
