#!/bin/sh
# Installs the peer engine for the workbook benchmark into bench/ (never into the product).
set -e
cd "$(dirname "$0")/.."
npm install --no-save --no-audit --no-fund --prefix . hyperformula >/dev/null
