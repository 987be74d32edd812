// The cockpit page: builds itself from /cockpit.json (the plug-in's own tables),
// then shows the values the server pushes on /live and sends the clicks back.
// It keeps no values of its own: after a reconnect the server sends everything.
"use strict";

const byOffset = new Map();  // "0x943A" -> function(value) that shows it
let socket = null;
let retryDelay = 500;
let readOnly = "";
let lab = false;  // the panel lab: the page also runs its lines

function element(tag, className, text) {
  const node = document.createElement(tag);
  if (className) node.className = className;
  if (text !== undefined) node.textContent = text;
  return node;
}

function show(offset, fn) {
  const list = byOffset.get(offset) || [];
  list.push(fn);
  byOffset.set(offset, list);
}

function send(action) {
  if (socket && socket.readyState === WebSocket.OPEN) {
    socket.send(JSON.stringify(action));
  } else {
    note(false, "not connected: the click was not sent");
  }
}

// In the lab a click on a value starts its `set` line, for the user to finish.
function offerSet(node, target) {
  node.addEventListener("click", () => {
    if (!lab) return;
    const line = document.getElementById("line");
    line.value = `set ${target} `;
    line.focus();
  });
}

function note(ok, text) {
  const events = document.getElementById("events");
  const item = element("li", ok ? "" : "failed", text);
  events.prepend(item);
  while (events.children.length > 200) events.lastChild.remove();
}

// A display window: one cell per digit position, the minus where the window
// shows one, blank and 88888 as the window shows them.
function buildDisplay(row) {
  const box = element("div", "display");
  box.dataset.offset = row.offset;
  box.title = row.note || "";
  const unit = row.unit ? `, ${row.unit}` : "";
  box.append(element("span", "name", `${row.name} ${row.offset}${unit}`));
  const window = element("div", "window");
  const cells = [];
  const signBefore = row.minus === "before";
  const count = row.digits + (signBefore ? 1 : 0);
  for (let i = 0; i < count; i++) {
    cells.push(window.appendChild(element("span", i === 0 && row.minus ? "sign" : "")));
  }
  box.append(window);
  offerSet(window, row.offset);
  show(row.offset, (value) => {
    box.dataset.text = value.text;
    let shown = Array(count).fill("");
    if (value.text === "88888") {
      shown = Array(count).fill("8");
    } else if (value.text !== "blank") {
      const negative = value.text.startsWith("-");
      const digits = negative ? value.text.slice(1) : value.text;
      for (let i = 0; i < digits.length && i < count; i++) {
        shown[count - 1 - i] = digits[digits.length - 1 - i];
      }
      if (negative) shown[0] = "-";
    }
    cells.forEach((cell, i) => { cell.textContent = shown[i] || "\u00a0"; });
  });
  return box;
}

// A lamp and switch byte: a lamp per bit, a number per wider field.
function buildBitWord(row) {
  const line = element("div", "bit-word");
  line.dataset.offset = row.offset;
  line.title = row.rule || "";
  line.append(element("span", "title", `${row.name} ${row.offset}`));
  for (const cell of row.cells) {
    const lamp = element("span", "lamp");
    lamp.dataset.bit = cell.bit;
    lamp.title = `bit ${cell.bit}: ${cell.label}, ${cell.values}`;
    const light = element("i");
    const label = element("span", "", `${cell.bit}:${cell.label}`);
    const number = element("b");
    lamp.append(light, label);
    if (cell.width > 1) lamp.append(number);
    line.append(lamp);
    // In the lab a lamp switches with a click; a wider field's line is offered.
    const target = `${row.offset}.${cell.bit}`;
    if (cell.width > 1) {
      offerSet(lamp, target);
    } else {
      lamp.onclick = () => {
        if (lab) sendLine(`set ${target} ${lamp.dataset.value === "1" ? "off" : "on"}`);
      };
    }
    show(row.offset, (value) => {
      const field = (value.raw >> cell.bit) & ((1 << cell.width) - 1);
      lamp.classList.toggle("lit", field !== 0);
      lamp.dataset.value = field;
      number.textContent = cell.width > 1 ? `=${field}` : "";
    });
  }
  return line;
}

function valueCell(offset) {
  const cell = element("td", "value", "–");
  cell.dataset.offset = offset;
  show(offset, (value) => { cell.textContent = value.text; });
  offerSet(cell, offset);
  return cell;
}

function buildControl(row) {
  const line = element("tr");
  line.append(element("td", "offset", row.offset), valueCell(row.offset));
  const buttons = element("td");
  if (row.kind === "direct") {
    const input = element("input");
    Object.assign(input, {type: "number", min: 0, max: 255, size: 4});
    const set = element("button", "", "Set");
    set.onclick = () => send({action: "control", offset: row.offset, value: Number(input.value)});
    buttons.append(input, set);
  } else {
    for (const [label, steps] of [["−", -1], ["+", 1]]) {
      const button = element("button", "", label);
      button.dataset.steps = steps;
      button.onclick = () => send({action: "step", offset: row.offset, steps});
      buttons.append(button);
    }
  }
  const text = element("td", "text", row.name);
  text.title = row.text;
  line.append(buttons, text);
  return line;
}

function build(layout) {
  document.getElementById("program").textContent = `${layout.program} ${layout.version}`;
  lab = layout.lab;
  document.getElementById("lab").hidden = !lab;
  document.body.classList.toggle("lab", lab);
  const commands = document.getElementById("commands");
  for (const command of layout.commandWord.commands) {
    const button = element("button", "", `${command.code} ${command.name}`);
    button.dataset.code = command.code;
    button.title = command.text;
    button.onclick = () => send({action: "command", code: command.code});
    commands.append(button);
  }
  show(layout.commandWord.offset, (value) => {
    document.getElementById("command-state").textContent = value.text;
  });
  const displays = document.getElementById("displays");
  layout.displays.forEach((row) => displays.append(buildDisplay(row)));
  const bitWords = document.getElementById("bit-words");
  layout.bitWords.forEach((row) => bitWords.append(buildBitWord(row)));
  const further = document.getElementById("further");
  for (const row of layout.further) {
    const line = element("tr");
    line.append(element("td", "offset", row.offset), valueCell(row.offset),
                element("td", "text", `${row.source}; ${row.reading}`));
    further.append(line);
  }
  const controls = document.getElementById("controls");
  layout.controls.forEach((row) => controls.append(buildControl(row)));
}

function showLab(state) {
  const doors = document.getElementById("doors");
  doors.replaceChildren(...(state.doors || []).map((door) => {
    const item = element("span", "door", `${door.name}: `);
    item.dataset.door = door.word;
    item.append(element("b", door.open ? "open" : "", door.open ? "open" : "closed"));
    const action = door.open ? "close" : "open";
    const button = element("button", "", action);
    button.onclick = () => sendLine(`gsx ${door.word} ${action}`);
    item.append(" ", button);
    return item;
  }));
  const jetway = state.jetway || {};
  document.getElementById("jetway").textContent =
      `jetway power ${jetway.power ?? "–"}, air ${jetway.air ?? "–"}`;
}

function receive(message) {
  if (message.kind === "values") {
    for (const [offset, value] of Object.entries(message.values)) {
      (byOffset.get(offset) || []).forEach((fn) => fn(value));
    }
  } else if (message.kind === "hello") {
    readOnly = message.readOnly;
    if (readOnly) note(false, readOnly);
    document.querySelectorAll("button").forEach((b) => { b.disabled = readOnly !== ""; });
  } else if (message.kind === "lab") {
    showLab(message.state);
  } else if (message.kind === "event") {
    note(true, message.text);
  } else if (message.kind === "answer") {
    note(message.ok, message.text);
  }
}

function setStatus(state, text) {
  const status = document.getElementById("status");
  status.dataset.state = state;
  status.textContent = text;
  document.getElementById("banner").hidden = state !== "lost";
}

// Tablets sleep and servers restart: the page keeps trying, and says so.
function connect() {
  socket = new WebSocket(`ws://${location.host}/live`);
  socket.onopen = () => { retryDelay = 500; setStatus("live", "live"); };
  socket.onmessage = (event) => receive(JSON.parse(event.data));
  socket.onclose = () => {
    setStatus("lost", "connection lost");
    setTimeout(connect, retryDelay);
    retryDelay = Math.min(retryDelay * 2, 5000);
  };
}

document.getElementById("command-form").onsubmit = (event) => {
  event.preventDefault();
  send({action: "command", code: Number(document.getElementById("command-code").value)});
};
function sendLine(text) {
  send({action: "line", text});
}

document.getElementById("line-form").onsubmit = (event) => {
  event.preventDefault();
  sendLine(document.getElementById("line").value);
};

fetch("/cockpit.json")
  .then((answer) => answer.json())
  .then((layout) => { build(layout); connect(); })
  .catch(() => setStatus("lost", "the cockpit's layout did not load: reload the page"));
