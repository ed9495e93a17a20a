// The popup of the toolbar button: the state in words.
const view = await browser.runtime.sendMessage("status");
document.body.classList.add(view.badge === "ON" ? "on" : "off");
document.getElementById("headline").textContent = view.headline;
document.getElementById("detail").textContent = view.detail;
const notes = document.getElementById("notes");
for (const note of view.notes) {
  const item = document.createElement("li");
  item.textContent = note;
  notes.append(item);
}
