#!/usr/bin/env bash
# Fails when a logic folder of src/ (every folder but widgets/, ui/ and app/) includes a header of
# widgets/, ui/ or app/ or a Qt Widgets header, or when a logic target links Qt Widgets, directly
# or through another target.   usage: check-layers.sh BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: check-layers.sh BUILD_DIR}
status=0

logic_dirs=()
for d in src/*/; do
  d=${d%/}
  case ${d#src/} in widgets | ui | app) ;; *) logic_dirs+=("$d") ;; esac
done

hits=$(grep -rnE '#include *[<"](widgets/|ui/|app/|QtWidgets|QWidget|QApplication|QDialog|QMessageBox|QTreeView|QTableView|QPrintDialog|QPrintPreview)' \
  "${logic_dirs[@]}" || true)
if [ -n "$hits" ]; then
  echo "check-layers: a logic folder includes a widget header:"
  echo "$hits"
  status=1
fi

targets=$(sed -n 's/^ *add_library(\([A-Za-z0-9_]*\).*/\1/p' $(printf '%s/CMakeLists.txt ' "${logic_dirs[@]}") 2>/dev/null)
dot=$(mktemp -d)
trap 'rm -rf "$dot"' EXIT
(cd "$build" && cmake --graphviz="$dot/deps.dot" . >/dev/null)
python3 - "$dot/deps.dot" $targets <<'PY' || status=1
import re, sys
path, targets = sys.argv[1], sys.argv[2:]
label, edges = {}, {}
for line in open(path, encoding="utf-8"):
    m = re.match(r'\s*"(node\d+)" \[ label = "([^"]+)"', line)
    if m:
        label[m.group(1)] = m.group(2)
        continue
    m = re.match(r'\s*"(node\d+)" -> "(node\d+)"', line)
    if m:
        edges.setdefault(m.group(1), []).append(m.group(2))
byname = {v: k for k, v in label.items()}
bad = []
for t in targets:
    if t not in byname:
        continue
    seen, todo = set(), [byname[t]]
    while todo:
        n = todo.pop()
        if n in seen:
            continue
        seen.add(n)
        todo += edges.get(n, [])
    names = {label[n] for n in seen}
    if "Qt6::Widgets" in names or any(x.startswith(("km350_widgets", "km350_ui", "km350_app")) for x in names):
        bad.append(t)
if bad:
    print("check-layers: logic targets that link Qt Widgets: " + ", ".join(bad))
    sys.exit(1)
PY
[ $status -eq 0 ] && echo "check-layers: ${#logic_dirs[@]} logic folders, no widget includes or links"
exit $status
