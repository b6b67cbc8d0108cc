// Copy on the phone (the share sheet's Copy) puts text on the phone's
// pasteboard, which the tree carries; when this page's own tap made the copy,
// the text goes on the browser's clipboard as well.

export class ClipboardMirror {
  constructor(onRefused) {
    this.onRefused = onRefused;
    this.changeCount = 0; // the pasteboard's, as the last tree drawn had it
  }

  noteTree(window) {
    this.changeCount = window.pasteboard?.changeCount ?? 0;
  }

  // A tap's answer: copies when the pasteboard changed since `countBefore`.
  copyIfChanged(answer, countBefore) {
    const pasteboard = answer.window?.pasteboard;
    if (!pasteboard || pasteboard.changeCount <= countBefore) return;
    navigator.clipboard.writeText(pasteboard.string).catch(() => this.onRefused());
  }
}
