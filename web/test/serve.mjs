// A static server for the page's tests and benchmark: the site folder on a free local port,
// counting the bytes each response sends (gzip-compressed where the browser asks for it,
// as a production server would).
import http from 'node:http';
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';

const kTypes = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.mjs': 'text/javascript',
  '.css': 'text/css', '.json': 'application/json', '.wasm': 'application/wasm',
  '.png': 'image/png', '.svg': 'image/svg+xml',
};

export function serve(root) {
  const stats = {bytes: 0, requests: 0};
  const server = http.createServer((req, res) => {
    const url = new URL(req.url, 'http://localhost');
    const file = path.join(root, path.normalize(decodeURIComponent(url.pathname)).replace(/^(\.\.[/\\])+/, ''));
    const target = file.endsWith(path.sep) || url.pathname === '/' ? path.join(file, 'index.html') : file;
    if (!target.startsWith(path.resolve(root)) || !fs.existsSync(target) || fs.statSync(target).isDirectory()) {
      res.writeHead(404);
      res.end();
      return;
    }
    let body = fs.readFileSync(target);
    const headers = {'Content-Type': kTypes[path.extname(target)] || 'application/octet-stream',
                     'Cache-Control': 'no-cache'};
    if (/\bgzip\b/.test(req.headers['accept-encoding'] || '')) {
      body = zlib.gzipSync(body, {level: 9});
      headers['Content-Encoding'] = 'gzip';
    }
    stats.bytes += body.length;
    stats.requests += 1;
    res.writeHead(200, headers);
    res.end(body);
  });
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1', () => {
      resolve({url: `http://127.0.0.1:${server.address().port}/`, stats,
               close: () => new Promise((r) => server.close(r))});
    });
  });
}

export function argument(name, fallback) {
  const i = process.argv.indexOf(name);
  return i > 0 ? process.argv[i + 1] : fallback;
}
