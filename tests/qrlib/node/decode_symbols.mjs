// Decodes every .pgm image of a folder with zxing-wasm (loaded from
// node_modules, nothing fetched) and prints one tab-separated line per image:
// file, valid, symbology identifier, bytes in hex, version, mask, UEC,
// sequence index, sequence size, sequence id.
import { readFileSync, readdirSync } from "node:fs";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";

const here = dirname(fileURLToPath(import.meta.url));
const zxing = join(here, "node_modules", "zxing-wasm");
const { prepareZXingModule, readBarcodes } = await import(join(zxing, "dist/es/reader/index.js"));
prepareZXingModule({
  overrides: { wasmBinary: readFileSync(join(zxing, "dist/reader/zxing_reader.wasm")).buffer },
  fireImmediately: true,
});

const folder = process.argv[2];
for (const file of readdirSync(folder).filter((f) => f.endsWith(".pgm")).sort()) {
  const image = new Uint8Array(readFileSync(join(folder, file)));
  const results = await readBarcodes(image, { formats: ["QRCode"], isPure: true });
  const r = results[0];
  if (!r || !r.isValid) {
    console.log([file, "0"].join("\t"));
    continue;
  }
  const extra = r.extra ? JSON.parse(r.extra) : {};
  const uec = /"UEC":([0-9.]+)/.exec(r.extra ?? "")?.[1] ?? "";
  console.log(
    [
      file,
      "1",
      r.symbologyIdentifier,
      Buffer.from(r.bytes).toString("hex"),
      extra.Version ?? "",
      extra.DataMask ?? "",
      uec,
      r.sequenceIndex,
      r.sequenceSize,
      r.sequenceId,
    ].join("\t"),
  );
}
