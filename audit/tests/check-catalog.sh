#!/bin/sh
# The catalog compiles into journalctl's index with every MESSAGE_ID: built in a scratch root.
set -eu
catalog=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
mkdir -p "$root/usr/lib/systemd/catalog"
cp "$catalog" "$root/usr/lib/systemd/catalog/"
journalctl --root="$root" --update-catalog
listed=$(journalctl --root="$root" --list-catalog)
for id in dc4064ba6bd2490b8467a610395336f7 21a7d08f62a8444b93df1aa2f9661dcf \
          31127dbe2ff54ac3ba882621ce98ae5f a93b692542394f749faf94665b854add; do
    echo "$listed" | grep -q "^$id petrel: " || { echo "catalog lacks $id"; exit 1; }
done
