// Pictures the user chose, as the program's picture files: a BMP as it is
// (the program judges its bytes), any other picture the browser can decode
// as a 512 x 512 24-bit BMP of it, stretched to fill; anything else is
// named as unreadable and skipped.
"use strict";

const PICTURE_SIDE = 512;
const MOST_PICTURES = 10;

function isBmp(bytes) {
  return bytes.length >= 2 && bytes[0] === 0x42 && bytes[1] === 0x4d; // "BM"
}

// A bottom-up 24-bit BMP (BITMAPINFOHEADER) of RGBA pixels, top row first.
function encodeBmp(rgba, width, height) {
  const rowBytes = Math.ceil((width * 3) / 4) * 4;
  const dataOffset = 54;
  const size = dataOffset + rowBytes * height;
  const bytes = new Uint8Array(size);
  const view = new DataView(bytes.buffer);
  bytes[0] = 0x42;
  bytes[1] = 0x4d;
  view.setUint32(2, size, true);
  view.setUint32(10, dataOffset, true);
  view.setUint32(14, 40, true);
  view.setInt32(18, width, true);
  view.setInt32(22, height, true);
  view.setUint16(26, 1, true);
  view.setUint16(28, 24, true);
  view.setUint32(34, rowBytes * height, true);
  view.setInt32(38, 2835, true); // 72 dots an inch
  view.setInt32(42, 2835, true);
  for (let y = 0; y < height; y++) {
    const to = dataOffset + (height - 1 - y) * rowBytes;
    for (let x = 0; x < width; x++) {
      const from = (y * width + x) * 4;
      bytes[to + x * 3] = rgba[from + 2];
      bytes[to + x * 3 + 1] = rgba[from + 1];
      bytes[to + x * 3 + 2] = rgba[from];
    }
  }
  return bytes;
}

// The picture stretched to 512 x 512 and made opaque, or null when the
// browser cannot decode it.
async function decodedAsBmp(file) {
  let bitmap;
  try {
    bitmap = await createImageBitmap(file);
  } catch (error) {
    return null;
  }
  const canvas = document.createElement("canvas");
  canvas.width = PICTURE_SIDE;
  canvas.height = PICTURE_SIDE;
  const context = canvas.getContext("2d");
  context.fillStyle = "#000";
  context.fillRect(0, 0, PICTURE_SIDE, PICTURE_SIDE);
  context.drawImage(bitmap, 0, 0, PICTURE_SIDE, PICTURE_SIDE);
  bitmap.close();
  const pixels = context.getImageData(0, 0, PICTURE_SIDE, PICTURE_SIDE).data;
  return encodeBmp(pixels, PICTURE_SIDE, PICTURE_SIDE);
}

// The files in the order given, as {name: "gazouN.bmp", bytes}, numbered
// without gaps, at most ten; and the names of those that were skipped.
async function picturesOf(files) {
  const pictures = [];
  const unreadable = [];
  for (const file of files) {
    if (pictures.length === MOST_PICTURES) break;
    const bytes = new Uint8Array(await file.arrayBuffer());
    const picture = isBmp(bytes) ? bytes : await decodedAsBmp(file);
    if (picture === null) {
      unreadable.push(file.name);
      continue;
    }
    pictures.push({ name: `gazou${pictures.length}.bmp`, bytes: picture });
  }
  return { pictures, unreadable };
}
