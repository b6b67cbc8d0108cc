// "Copy" in the share sheet copies on the phone (the host logs it); the page
// puts the shared text on the browser's clipboard as well.

// The shared text when `target` is the share sheet's Copy button, else null.
export function sharedTextToCopy(target) {
  const button = target?.closest('.view.sheet-button');
  if (!button || button.textContent.trim() !== 'Copy') return null;
  const texts = [...button.closest('.view.card').children]
    .filter((el) => el.classList.contains('label'))
    .map((el) => el.textContent);
  return texts.length ? texts.join('\n') : null;
}
