// Drives a saved animation page as a visitor would (its buttons and its check box) and
// writes every source its image takes into <pre id="probe">, one phase per line:
//   play:   Start, twelve pictures with "Heen en weer" checked, then Stop
//   still:  what changed in the 500 ms after Stop (nothing)
//   wrap:   "Heen en weer" unchecked, Start, nine pictures, Stop
window.addEventListener("load", function () {
  var image = document.images["film"];
  var seen = [];
  var lines = [];
  new MutationObserver(function () {
    var src = image.getAttribute("src");
    seen.push(src.substring(src.lastIndexOf("/") + 1));
  }).observe(image, {attributes: true, attributeFilter: ["src"]});

  function press(value) {
    var buttons = document.querySelectorAll("input[type=button]");
    for (var i = 0; i < buttons.length; i++)
      if (buttons[i].value.trim() === value) buttons[i].click();
  }
  function take(name) {
    lines.push(name + ": " + seen.join(" "));
    seen = [];
  }
  function whenSeen(count, then) {
    var wait = setInterval(function () {
      if (seen.length < count) return;
      clearInterval(wait);
      then();
    }, 1);
  }
  function finish() {
    var out = document.createElement("pre");
    out.id = "probe";
    out.textContent = lines.join("\n");
    document.body.appendChild(out);
  }

  // preload() and klaar() ran with the page; the probe only watches from here on.
  seen = [];
  press("Start");
  whenSeen(12, function () {
    press("Stop");
    take("play");
    setTimeout(function () {
      take("still");
      document.getElementById("keus").click();
      press("Start");
      whenSeen(9, function () {
        press("Stop");
        take("wrap");
        finish();
      });
    }, 500);
  });
});
