// Escaping, file names and the page frame.
#include "report/Html.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace tenvoll::report {

void appendEscaped(std::string& out, std::string_view text) {
    for (char c : text) {
        switch (c) {
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '&':
            out += "&amp;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            if ((static_cast<unsigned char>(c) < 0x20 && c != '\n') || c == 0x7F)
                out += ' ';
            else
                out += c;
        }
    }
}

std::string escapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    appendEscaped(out, text);
    return out;
}

namespace {

bool isDeviceName(std::string_view name) {
    // The part before the first dot decides: "CON.txt" is the device too.
    std::string base(name.substr(0, name.find('.')));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    for (char& c : base)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    static constexpr std::array<std::string_view, 6> plain = {"CON", "PRN",    "AUX",
                                                              "NUL", "CONIN$", "CONOUT$"};
    for (std::string_view p : plain)
        if (base == p)
            return true;
    if (base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) &&
        base[3] >= '0' && base[3] <= '9')
        return true;
    return false;
}

} // namespace

std::string safeFileName(std::string_view text) {
    constexpr std::size_t kMaxBytes = 60;
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        if (out.size() + len > kMaxBytes)
            break;
        if (len == 1) {
            const bool bad = c < 0x20 || c == 0x7F || c == ' ' ||
                             std::string_view("<>:\"/\\|?*#%&'").find(static_cast<char>(c)) !=
                                 std::string_view::npos;
            out += bad ? '_' : static_cast<char>(c);
        } else if (i + len <= text.size()) {
            const std::string_view ch = text.substr(i, len);
            // The ideographic space would show as a gap in a link.
            out += ch == "\u3000" ? std::string_view("_") : ch;
        }
        i += len;
    }
    while (!out.empty() && (out.back() == '.' || out.back() == ' '))
        out.pop_back();
    if (out.empty())
        return "_";
    if (isDeviceName(out)) {
        const std::size_t dot = std::min(out.find('.'), out.size());
        return out.substr(0, dot) + "_" + out.substr(dot);
    }
    return out;
}

std::string pageStart(std::string_view title, std::string_view root,
                      std::string_view breadcrumbHtml) {
    std::string out = "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n"
                      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                      "<title>";
    appendEscaped(out, title);
    out += "</title>\n<link rel=\"stylesheet\" href=\"";
    out += root;
    out += "style.css\">\n</head>\n<body>\n<nav class=\"crumbs\">";
    out += breadcrumbHtml;
    out += "</nav>\n<main>\n<h1>";
    appendEscaped(out, title);
    out += "</h1>\n";
    return out;
}

std::string pageEnd(std::string_view root) {
    std::string out = "</main>\n<footer>ボルタナ選手名鑑で作成</footer>\n<script src=\"";
    out += root;
    out += "sort.js\"></script>\n</body>\n</html>\n";
    return out;
}

std::string_view styleSheet() {
    return R"(/* League pages */
body { font-family: "Noto Sans CJK JP", "Hiragino Sans", "Yu Gothic", Meiryo, sans-serif;
       margin: 0 1.5em 2em; color: #222; background: #fff; }
h1 { font-size: 1.5em; margin: 0.6em 0 0.3em; }
h2 { font-size: 1.2em; margin: 1.4em 0 0.4em; border-bottom: 1px solid #ccc; }
nav.crumbs { margin-top: 0.8em; font-size: 0.9em; }
nav.crumbs a { margin-right: 0.6em; }
footer { margin-top: 3em; font-size: 0.8em; color: #777; }
a { color: #0645ad; }
table { border-collapse: collapse; margin: 0.4em 0 1em; font-size: 0.85em; }
th, td { border: 1px solid #bbb; padding: 0.15em 0.4em; white-space: nowrap; }
th { background: #eef; }
table.sortable th { cursor: pointer; }
td.n { text-align: right; font-variant-numeric: tabular-nums; }
td.c { text-align: center; }
td.up { background: #d9262b; color: #fff; }
td.down { background: #1f4fbf; color: #fff; }
td.career { background: #ddd; }
td.key { font-weight: bold; }
tr.empty td { color: #999; }
span.m { font-size: 0.75em; margin-left: 0.15em; }
pre.summary { background: #f6f6f6; padding: 0.5em; display: inline-block; }
p.legend { font-size: 0.85em; color: #444; }
img.chart { border: 1px solid #ccc; max-width: 100%; height: auto; }
ul.columns { columns: 2; }
div.wide { overflow-x: auto; }
)";
}

std::string_view sortScript() {
    return R"(// Sorts a table of class "sortable" by the clicked column (again: reverse).
document.querySelectorAll("table.sortable").forEach(function (table) {
  var head = table.tHead;
  if (!head) return;
  Array.prototype.forEach.call(head.rows[0].cells, function (th, col) {
    th.title = "クリックで並べ替え";
    th.addEventListener("click", function () {
      var body = table.tBodies[0];
      var rows = Array.prototype.slice.call(body.rows);
      var down = th.getAttribute("data-order") !== "asc";
      th.setAttribute("data-order", down ? "asc" : "desc");
      function key(row) {
        var t = row.cells[col] ? row.cells[col].getAttribute("data-v") || row.cells[col].textContent : "";
        var n = parseFloat(t.replace(/[▲▼]/g, ""));
        return isNaN(n) ? t : n;
      }
      rows.sort(function (a, b) {
        var x = key(a), y = key(b);
        var r = (typeof x === "number" && typeof y === "number") ? x - y : String(x).localeCompare(String(y), "ja");
        return down ? -r : r;
      });
      rows.forEach(function (row) { body.appendChild(row); });
    });
  });
});
)";
}

} // namespace tenvoll::report
