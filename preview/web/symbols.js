// The symbols the phone draws for system bar items, by the words they are
// read as. Stroked in the current colour, so they take the button's tint.

const SVG = 'http://www.w3.org/2000/svg';

const PATHS = {
  Share: ['M12 3v12', 'M7.5 7.5 12 3l4.5 4.5', 'M8 10H5.5v11h13V10H16'],
  Trash: ['M4 6h16', 'M9 6V3.5h6V6', 'M6 6l1 15h10l1-15', 'M10 10v8', 'M14 10v8'],
  Add: ['M12 4v16', 'M4 12h16'],
  Compose: ['M4 20h4L19 9l-4-4L4 16z', 'M13 7l4 4'],
  Refresh: ['M19 12a7 7 0 1 1-2.05-4.95', 'M19 4v4h-4'],
  Search: ['M10.5 4a6.5 6.5 0 1 0 0 13 6.5 6.5 0 0 0 0-13z', 'M15.5 15.5 20 20'],
  Bookmarks: ['M5 4h10v16l-5-3.5L5 20z', 'M15 4h4v16'],
};

// An <svg> for the item, or null when it has no symbol of its own.
export function symbolFor(label) {
  const paths = PATHS[label];
  if (!paths) return null;
  const svg = document.createElementNS(SVG, 'svg');
  svg.setAttribute('viewBox', '0 0 24 24');
  svg.setAttribute('aria-hidden', 'true');
  for (const d of paths) {
    const path = document.createElementNS(SVG, 'path');
    path.setAttribute('d', d);
    svg.appendChild(path);
  }
  return svg;
}
