// orvala-wordgen: turns the word table (data/words.tsv) into C++.
//
//   orvala-wordgen WORDS.tsv OUT_HEADER OUT_SOURCE
//
// The header holds `enum class WordRow` (one constant per row, in file order) and the row count;
// the source holds the entries as UTF-8 literals and the constant names. Any malformed line stops
// the build with its line number, so a broken table never compiles into the program.

#include <cctype>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kLanguages = 10;

struct Row {
    std::string name;
    std::vector<std::string> entries;  // already unescaped
};

bool validName(const std::string& s) {
    if (s.empty() || !std::isupper(static_cast<unsigned char>(s[0]))) return false;
    for (unsigned char c : s)
        if (!std::isalnum(c)) return false;
    return true;
}

// Returns false on an unknown escape; `empty` is set for the "\-" marker.
bool unescape(const std::string& in, std::string& out, bool& empty) {
    out.clear();
    empty = in == "\\-";
    if (empty) return true;
    for (size_t i = 0; i < in.size(); ++i) {
        if (in[i] != '\\') {
            out += in[i];
            continue;
        }
        if (++i == in.size()) return false;
        switch (in[i]) {
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case '\\':
                out += '\\';
                break;
            default:
                return false;
        }
    }
    return true;
}

// A C++ literal for a UTF-8 string: printable bytes as they are, the rest in three-digit octal
// (which never swallows a following digit the way \x would).
std::string literal(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7f || c == '?') {
            // '?' too, so that no trigraph-like sequence can form.
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\%03o", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

bool fail(const std::string& file, int line, const std::string& what) {
    std::cerr << file << ":" << line << ": " << what << '\n';
    return false;
}

bool readTable(const std::string& path, std::vector<Row>& rows) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return fail(path, 0, "cannot open");
    std::set<std::string> names;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> fields;
        size_t start = 0;
        while (true) {
            size_t tab = line.find('\t', start);
            fields.push_back(line.substr(start, tab - start));
            if (tab == std::string::npos) break;
            start = tab + 1;
        }
        if (fields.size() != 1 + kLanguages)
            return fail(path, number,
                        "expected a name and 10 entries, found " + std::to_string(fields.size()) +
                            " fields");
        Row row;
        row.name = fields[0];
        if (!validName(row.name))
            return fail(path, number, "bad constant name \"" + row.name + "\"");
        if (!names.insert(row.name).second)
            return fail(path, number, "constant \"" + row.name + "\" used twice");
        for (int i = 1; i <= kLanguages; ++i) {
            std::string text;
            bool emptyOnPurpose = false;
            if (!unescape(fields[i], text, emptyOnPurpose))
                return fail(path, number, "unknown escape in entry " + std::to_string(i));
            if (text.empty() && !emptyOnPurpose)
                return fail(path, number,
                            "entry " + std::to_string(i) + " is empty (write \\- if meant)");
            row.entries.push_back(text);
        }
        rows.push_back(std::move(row));
    }
    if (rows.empty()) return fail(path, number, "no rows");
    if (rows.size() > 65535) return fail(path, number, "too many rows");
    return true;
}

bool writeFile(const std::string& path, const std::string& content) {
    // Unchanged output keeps its time stamp, so nothing downstream rebuilds for nothing.
    {
        std::ifstream old(path, std::ios::binary);
        if (old) {
            std::stringstream ss;
            ss << old.rdbuf();
            if (ss.str() == content) return true;
        }
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    out.close();
    if (!out) {
        std::cerr << path << ": cannot write\n";
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: orvala-wordgen WORDS.tsv OUT_HEADER OUT_SOURCE\n";
        return 2;
    }
    std::vector<Row> rows;
    if (!readTable(argv[1], rows)) return 1;

    std::string h;
    h += "#pragma once\n// Generated by orvala-wordgen from data/words.tsv; edit that file "
         "instead.\n\n";
    h += "#include <cstddef>\n#include <cstdint>\n\nnamespace orvala {\n\n";
    h += "enum class WordRow : std::uint16_t {\n";
    for (const auto& r : rows) h += "    " + r.name + ",\n";
    h += "};\n\ninline constexpr std::size_t kWordRowCount = " + std::to_string(rows.size()) +
         ";\n\n}  // namespace orvala\n";

    std::string c;
    c += "// Generated by orvala-wordgen from data/words.tsv; edit that file instead.\n\n";
    c += "#include \"core/lang/word_table_data.h\"\n\nnamespace orvala::detail {\n\n";
    c += "const std::string_view kWordEntries[kWordRowCount][kLanguageCount] = {\n";
    for (const auto& r : rows) {
        c += "    {";
        for (int i = 0; i < kLanguages; ++i) {
            if (i) c += ", ";
            c += literal(r.entries[i]);
        }
        c += "},\n";
    }
    c += "};\n\nconst std::string_view kWordRowNames[kWordRowCount] = {\n";
    for (const auto& r : rows) c += "    \"" + r.name + "\",\n";
    c += "};\n\n}  // namespace orvala::detail\n";

    return writeFile(argv[2], h) && writeFile(argv[3], c) ? 0 : 1;
}
