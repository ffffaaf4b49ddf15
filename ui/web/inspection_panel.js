// SPDX-License-Identifier: MIT
// The inspector's panel, 实测判定, beside the window where the screen has room and under it
// elsewhere, never over it: from the drawing's pitch-diameter limits and the M measured over the
// wires, the M window of the limits, the part's actual pitch diameter and a verdict. Its captions,
// and what 判定 does with the boxes, come from the WebAssembly module as the window's do; this
// builds the panel and connects it.

function Header(row, scope, text) {
  const header = row.appendChild(document.createElement('th'));
  header.scope = scope;
  header.textContent = text;
}

class InspectionPanel {
  // `form1` runs the panel's handler as it runs its own, and shows a failure in its message box.
  constructor(form1, panel, fonts) {
    this.form1 = form1;
    const section = document.createElement('section');
    section.id = 'panel';
    section.style.fontFamily = fonts;
    const title = section.appendChild(document.createElement('h2'));
    title.id = 'panel-title';
    title.textContent = panel.title;
    section.setAttribute('aria-labelledby', title.id);
    section.append(this.CreateInputs(panel), this.CreateResults(panel));
    for (const { name, caption } of [panel.verdict, panel.basis]) {
      const line = section.appendChild(document.createElement('output'));
      line.id = name;
      line.setAttribute('aria-label', caption);
      line.setAttribute('aria-live', 'polite');
    }
    document.body.append(section);
  }

  // The boxes, each on a line with its caption and unit, then 判定; Enter in a box judges too.
  CreateInputs(panel) {
    const inputs = document.createElement('div');
    inputs.className = 'inputs';
    for (const { name, caption } of panel.inputs) {
      const label = inputs.appendChild(document.createElement('label'));
      const box = NewBox('', 'decimal');
      box.id = name;
      box.addEventListener('keydown', (event) => {
        if (event.key === 'Enter') this.Judge_Click();
      });
      const text = document.createElement('span');
      text.textContent = caption;
      label.append(text, box, 'mm');
    }
    const judge = inputs.appendChild(document.createElement('button'));
    judge.type = 'button';
    judge.id = panel.button.name;
    judge.textContent = panel.button.caption;
    judge.addEventListener('click', () => this.Judge_Click());
    return inputs;
  }

  // A row for each method, a column for each result, in mm; a screen reader reads each result
  // with its row's and column's headers.
  CreateResults(panel) {
    const table = document.createElement('table');
    table.setAttribute('aria-label', panel.results);
    const head = table.createTHead().insertRow();
    head.appendChild(document.createElement('td'));
    for (const column of panel.columns) Header(head, 'col', column);
    for (const { caption, cells, labels } of panel.rows) {
      const row = table.insertRow();
      Header(row, 'row', caption);
      cells.forEach((name, column) => {
        const output = row.insertCell().appendChild(document.createElement('output'));
        output.id = name;
        output.setAttribute('aria-label', labels[column]);
      });
    }
    return table;
  }

  Judge_Click() {
    this.form1.Run('Judge_Click');
  }
}
