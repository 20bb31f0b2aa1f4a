// Plays the numbered pictures file + minnr … maxnr + extension in the image named "film".
// The page sets file, extension, minnr, maxnr and pauze (milliseconds between pictures).

var nummer = minnr;      // the picture shown
var richting = 1;        // +1 forward, -1 backward
var heenEnWeer = true;   // "Heen en weer": turn at the ends instead of starting over
var timer = null;
var plaatjes = [];

function bron(nr) {
  return file + nr + extension;
}

function toon(nr) {
  nummer = Math.max(minnr, Math.min(maxnr, nr));
  document.images["film"].src = bron(nummer);
}

// Loads every picture once, so that playing does not wait for the network.
function preload() {
  plaatjes = [];
  for (var nr = minnr; nr <= maxnr; nr++) {
    var plaatje = new Image();
    plaatje.src = bron(nr);
    plaatjes.push(plaatje);
  }
}

function klaar() {
  var keus = document.getElementById("keus");
  if (keus) heenEnWeer = keus.checked;
  nummer = minnr;
  richting = 1;
}

function volgende() {
  var nr = nummer + richting;
  if (nr > maxnr || nr < minnr) {
    if (heenEnWeer && maxnr > minnr) {
      richting = -richting;
      nr = nummer + richting;
    } else {
      nr = richting > 0 ? minnr : maxnr;
    }
  }
  toon(nr);
}

function startvertoning() {
  if (timer !== null) return;
  timer = setInterval(volgende, Math.max(1, pauze));
}

function stopvertoning() {
  if (timer === null) return;
  clearInterval(timer);
  timer = null;
}

function vooruit(stappen) {
  stopvertoning();
  richting = 1;
  toon(nummer + stappen);
}

function achteruit(stappen) {
  stopvertoning();
  richting = -1;
  toon(nummer - stappen);
}

function selec(vakje) {
  heenEnWeer = vakje.checked;
}
