#include "platform/store/RegistryFileFormat.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <utility>
#include <vector>

#include "platform/store/RegistryKey.h"

namespace {

constexpr std::string_view kHeader = "quillmoor-registry 1";
constexpr char kHex[] = "0123456789abcdef";

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string HexOf(const std::vector<std::uint8_t>& data) {
    if (data.empty()) return "-";
    std::string out;
    out.reserve(data.size() * 2);
    for (std::uint8_t b : data) {
        out += kHex[b >> 4];
        out += kHex[b & 0x0F];
    }
    return out;
}

std::optional<std::vector<std::uint8_t>> BytesOf(std::string_view hex) {
    std::vector<std::uint8_t> data;
    if (hex == "-") return data;
    if (hex.empty() || hex.size() % 2 != 0) return std::nullopt;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        int hi = HexDigit(hex[i]);
        int lo = HexDigit(hex[i + 1]);
        if (hi < 0 || lo < 0) return std::nullopt;
        data.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
    }
    return data;
}

void WriteKey(const RegistryKey& key, const std::string& path, std::string& out) {
    out += "key" + path + "\n";
    for (const auto& value : key.Values()) {
        out += "value " + RegistryFileFormat::Quote(value.name) + " " + std::to_string(value.type) + " " +
               HexOf(value.data) + "\n";
    }
}

// Every key under top, each before its subkeys and those in order. A stack
// of its own rather than recursion: the tree may be deeper than the call
// stack.
void WriteTree(const RegistryKey& top, std::string& out) {
    std::vector<std::pair<const RegistryKey*, std::string>> pending;
    const auto pushSubkeys = [&pending](const RegistryKey& key, const std::string& path) {
        const auto& subkeys = key.Subkeys();
        for (auto it = subkeys.rbegin(); it != subkeys.rend(); ++it)
            pending.emplace_back(it->get(), path + " " + RegistryFileFormat::Quote((*it)->Name()));
    };
    pushSubkeys(top, {});
    while (!pending.empty()) {
        auto [key, path] = std::move(pending.back());
        pending.pop_back();
        WriteKey(*key, path, out);
        pushSubkeys(*key, path);
    }
}

struct Token {
    std::string text;
    bool quoted = false;
};

// Splits a line into tokens; a quoted token is unescaped, a bare one ends at a
// blank. Returns nullopt for a broken quote or escape.
std::optional<std::vector<Token>> Tokens(std::string_view line) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ') {
            ++i;
            continue;
        }
        if (line[i] != '"') {
            const std::size_t end = std::min(line.find(' ', i), line.size());
            tokens.push_back(Token{std::string(line.substr(i, end - i)), false});
            i = end;
            continue;
        }
        ++i;
        std::string token;
        bool closed = false;
        while (i < line.size()) {
            // Plain bytes are taken a run at a time, up to a quote or escape.
            const std::size_t stop = std::min(line.find_first_of("\"\\", i), line.size());
            token.append(line.substr(i, stop - i));
            i = stop;
            if (i == line.size()) break;
            if (line[i++] == '"') {
                closed = true;
                break;
            }
            if (i + 3 > line.size() || line[i] != 'x') return std::nullopt;
            int hi = HexDigit(line[i + 1]);
            int lo = HexDigit(line[i + 2]);
            if (hi < 0 || lo < 0) return std::nullopt;
            token += static_cast<char>(hi * 16 + lo);
            i += 3;
        }
        if (!closed || (i < line.size() && line[i] != ' ')) return std::nullopt;
        tokens.push_back(Token{std::move(token), true});
    }
    return tokens;
}

// Key and value names are always quoted, so that "" (the default value) and
// names with blanks can never be mistaken for something else.
bool ReadKeyLine(const std::vector<Token>& tokens, RegistryKey& top, RegistryKey*& current) {
    if (tokens.size() < 2) return false;
    RegistryKey* key = &top;
    for (std::size_t i = 1; i < tokens.size(); ++i) {
        const Token& name = tokens[i];
        if (!name.quoted || name.text.empty() || name.text.find('\\') != std::string::npos) {
            return false;
        }
        bool created = false;
        key = &key->ObtainSubkey(name.text, created);
    }
    current = key;
    return true;
}

bool ReadValueLine(const std::vector<Token>& tokens, RegistryKey* current) {
    if (current == nullptr || tokens.size() != 4 || !tokens[1].quoted || tokens[2].quoted ||
        tokens[3].quoted) {
        return false;
    }
    std::uint32_t type = 0;
    const std::string& typeText = tokens[2].text;
    auto [end, ec] = std::from_chars(typeText.data(), typeText.data() + typeText.size(), type);
    if (ec != std::errc() || end != typeText.data() + typeText.size()) return false;
    auto data = BytesOf(tokens[3].text);
    if (!data) return false;
    current->SetValue(RegistryValue{tokens[1].text, type, std::move(*data)});
    return true;
}

} // namespace

std::string RegistryFileFormat::Quote(std::string_view name) {
    std::string out = "\"";
    for (char c : name) {
        auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b > 0x7E || c == '"' || c == '\\') {
            out += "\\x";
            out += kHex[b >> 4];
            out += kHex[b & 0x0F];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string RegistryFileFormat::Write(const RegistryKey& top) {
    std::string out(kHeader);
    out += "\n";
    WriteTree(top, out);
    return out;
}

bool RegistryFileFormat::Read(std::string_view text, RegistryKey& top, std::string& why) {
    RegistryKey* current = nullptr;
    std::size_t lineNo = 0;
    while (!text.empty()) {
        std::size_t nl = text.find('\n');
        if (nl == std::string_view::npos) {
            why = "line " + std::to_string(lineNo + 1) + " is not terminated";
            return false;
        }
        std::string_view line = text.substr(0, nl);
        text.remove_prefix(nl + 1);
        ++lineNo;
        if (lineNo == 1) {
            if (line != kHeader) {
                why = "not a Quillmoor registry file";
                return false;
            }
            continue;
        }
        auto tokens = Tokens(line);
        bool ok = tokens && !tokens->empty();
        const std::string keyword = ok && !(*tokens)[0].quoted ? (*tokens)[0].text : std::string();
        if (keyword == "key" && tokens->size() - 1 > maxDepth) {
            why = "line " + std::to_string(lineNo) + " nests keys deeper than " + std::to_string(maxDepth);
            return false;
        }
        if (keyword == "key") {
            ok = ReadKeyLine(*tokens, top, current);
        } else if (keyword == "value") {
            ok = ReadValueLine(*tokens, current);
        } else {
            ok = false;
        }
        if (!ok) {
            why = "line " + std::to_string(lineNo) + " is malformed";
            return false;
        }
    }
    if (lineNo == 0) {
        why = "the file is empty";
        return false;
    }
    return true;
}
