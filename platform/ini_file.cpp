#include "platform/ini_file.h"

#include <fstream>
#include <initializer_list>
#include <iterator>
#include <system_error>

namespace tarvolin {
namespace {

// Larger files are not profile files; reading them is refused rather than attempted.
constexpr std::uintmax_t kMaxFileBytes = 64u * 1024u * 1024u;

bool IsBlank(char16_t c) {
  return c == u' ' || (c >= u'\t' && c <= u'\r') || c == 0x1A;
}

std::u16string_view TrimLeft(std::u16string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

std::u16string_view TrimRight(std::u16string_view s) {
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char16_t FoldCase(char16_t c) {
  if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
  return c;
}

bool SameName(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

struct ParsedLine {
  enum class Kind { kOther, kSection, kKey };
  Kind kind = Kind::kOther;
  std::u16string_view name;
  std::optional<std::u16string_view> value;  // absent when the key line has no '='
};

ParsedLine Classify(std::u16string_view line) {
  line = TrimLeft(line);
  if (line.empty()) return {};
  if (line.front() == u'[') {
    const std::size_t close = line.rfind(u']');
    if (close != std::u16string_view::npos) {
      return {ParsedLine::Kind::kSection, line.substr(1, close - 1), std::nullopt};
    }
  }
  line = TrimRight(line);
  const std::size_t equals = line.find(u'=');
  if (equals == std::u16string_view::npos) return {ParsedLine::Kind::kKey, line, std::nullopt};
  return {ParsedLine::Kind::kKey, TrimRight(line.substr(0, equals)),
          TrimLeft(line.substr(equals + 1))};
}

// A value in a matching pair of quotes is read without them.
std::u16string_view StripQuotes(std::u16string_view value) {
  if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// Quotes keep the blanks around a value, and a value that is itself quoted, intact on reading.
// Pieces appended to one reserved string. Chains of operator+ that start from a literal make
// GCC 12 at -O3 warn falsely about overlapping copies (-Wrestrict).
std::u16string Joined(std::initializer_list<std::u16string_view> parts) {
  std::size_t size = 0;
  for (const std::u16string_view part : parts) size += part.size();
  std::u16string text;
  text.reserve(size);
  for (const std::u16string_view part : parts) text += part;
  return text;
}

std::u16string QuoteValue(std::u16string_view value) {
  const bool blanks = !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()));
  if (blanks || StripQuotes(value).size() != value.size()) return Joined({u"\"", value, u"\""});
  return std::u16string(value);
}

bool HasLineBreakOrNul(std::u16string_view s) {
  return s.find_first_of(std::u16string_view(u"\r\n\0", 3)) != std::u16string_view::npos;
}

bool ValidSectionName(std::u16string_view section) {
  return !section.empty() && !HasLineBreakOrNul(section) &&
         section.find(u']') == std::u16string_view::npos;
}

bool ValidKeyName(std::u16string_view key) {
  return !key.empty() && !HasLineBreakOrNul(key) && key.find(u'=') == std::u16string_view::npos &&
         key.front() != u'[' && !IsBlank(key.front()) && !IsBlank(key.back());
}

}  // namespace

bool IsStorableIniEntry(std::u16string_view section, std::u16string_view key,
                        std::u16string_view value) {
  return ValidSectionName(section) && ValidKeyName(key) && !HasLineBreakOrNul(value);
}

std::u16string QuoteIniValue(std::u16string_view value) {
  return QuoteValue(value);
}

IniDocument IniDocument::Parse(std::u16string_view text) {
  IniDocument document;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of(u"\r\n", start);
    if (end == std::u16string_view::npos) {
      document.lines_.push_back({std::u16string(text.substr(start)), u""});
      break;
    }
    const bool crlf = text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n';
    const std::size_t terminator_length = crlf ? 2 : 1;
    document.lines_.push_back({std::u16string(text.substr(start, end - start)),
                               std::u16string(text.substr(end, terminator_length))});
    start = end + terminator_length;
  }
  return document;
}

std::optional<std::size_t> IniDocument::FindSection(std::u16string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const ParsedLine parsed = Classify(lines_[i].text);
    if (parsed.kind == ParsedLine::Kind::kSection && SameName(parsed.name, section)) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> IniDocument::FindKey(std::size_t section_line,
                                                std::u16string_view key) const {
  for (std::size_t i = section_line + 1; i < lines_.size(); ++i) {
    const ParsedLine parsed = Classify(lines_[i].text);
    if (parsed.kind == ParsedLine::Kind::kSection) break;
    if (parsed.kind == ParsedLine::Kind::kKey && SameName(parsed.name, key)) return i;
  }
  return std::nullopt;
}

std::optional<std::u16string> IniDocument::Find(std::u16string_view section,
                                                std::u16string_view key) const {
  const std::optional<std::size_t> section_line = FindSection(section);
  if (!section_line) return std::nullopt;
  const std::optional<std::size_t> key_line = FindKey(*section_line, key);
  if (!key_line) return std::nullopt;
  const ParsedLine parsed = Classify(lines_[*key_line].text);
  if (!parsed.value) return std::nullopt;
  return std::u16string(StripQuotes(*parsed.value));
}

std::u16string IniDocument::NewLineTerminator() const {
  for (const Line& line : lines_) {
    if (!line.terminator.empty()) return line.terminator;
  }
  return u"\r\n";
}

bool IniDocument::Set(std::u16string_view section, std::u16string_view key,
                      std::u16string_view value) {
  if (!IsStorableIniEntry(section, key, value)) return false;
  const std::u16string terminator = NewLineTerminator();
  const std::optional<std::size_t> section_line = FindSection(section);
  if (section_line) {
    if (const std::optional<std::size_t> key_line = FindKey(*section_line, key)) {
      // Keep the key's own spelling and the line's indentation.
      std::u16string& text = lines_[*key_line].text;
      const std::size_t indent = text.size() - TrimLeft(text).size();
      const std::u16string name(Classify(text).name);
      text =
          Joined({std::u16string_view(text).substr(0, indent), name, u"=", QuoteIniValue(value)});
      return true;
    }
    std::size_t insert_at = *section_line + 1;
    for (std::size_t i = *section_line + 1; i < lines_.size(); ++i) {
      const ParsedLine parsed = Classify(lines_[i].text);
      if (parsed.kind == ParsedLine::Kind::kSection) break;
      if (parsed.kind != ParsedLine::Kind::kOther) insert_at = i + 1;
    }
    if (insert_at == lines_.size() && !lines_.empty() && lines_.back().terminator.empty()) {
      lines_.back().terminator = terminator;
    }
    const auto position = lines_.begin() + static_cast<std::ptrdiff_t>(insert_at);
    lines_.insert(position, {Joined({key, u"=", QuoteIniValue(value)}), terminator});
    return true;
  }
  if (!lines_.empty()) {
    if (lines_.back().terminator.empty()) lines_.back().terminator = terminator;
    if (!TrimLeft(lines_.back().text).empty()) lines_.push_back({u"", terminator});
  }
  lines_.push_back({Joined({u"[", section, u"]"}), terminator});
  lines_.push_back({Joined({key, u"=", QuoteIniValue(value)}), terminator});
  return true;
}

std::u16string IniDocument::Serialize() const {
  std::u16string text;
  for (const Line& line : lines_) text += line.text + line.terminator;
  return text;
}

IniFile::IniFile(std::filesystem::path path) : path_(std::move(path)) {}

IniFile::Stamp IniFile::CurrentStamp() const {
  std::error_code error;
  Stamp stamp;
  stamp.exists = std::filesystem::is_regular_file(path_, error);
  if (!stamp.exists) return stamp;
  stamp.size = std::filesystem::file_size(path_, error);
  if (error) stamp.size = 0;
  stamp.time = std::filesystem::last_write_time(path_, error);
  return stamp;
}

void IniFile::RefreshLocked() const {
  const Stamp stamp = CurrentStamp();
  if (loaded_stamp_ && *loaded_stamp_ == stamp) return;
  loaded_stamp_ = stamp;
  document_ = IniDocument();
  encoding_ = IniEncoding::kUtf16LeBom;
  unreadable_ = false;
  if (!stamp.exists) return;
  unreadable_ = true;
  if (stamp.size > kMaxFileBytes) return;
  std::ifstream in(path_, std::ios::binary);
  if (!in) return;
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return;
  unreadable_ = false;
  DecodedIniText decoded = DecodeIniBytes(bytes);
  document_ = IniDocument::Parse(decoded.text);
  encoding_ = decoded.encoding;
}

std::u16string IniFile::Read(std::u16string_view section, std::u16string_view key,
                             std::u16string_view fallback) const {
  std::lock_guard lock(mutex_);
  RefreshLocked();
  std::optional<std::u16string> value = document_.Find(section, key);
  return value ? std::move(*value) : std::u16string(fallback);
}

bool IniFile::Write(std::u16string_view section, std::u16string_view key,
                    std::u16string_view value) {
  std::lock_guard lock(mutex_);
  RefreshLocked();
  // A file that exists but could not be read is never replaced by a rewrite that would lose it.
  if (unreadable_) return false;
  IniDocument updated = document_;
  if (!updated.Set(section, key, value)) return false;

  bool representable = true;
  IniEncoding encoding = encoding_;
  std::string bytes = EncodeIniText(updated.Serialize(), encoding, representable);
  if (!representable) {
    encoding = IniEncoding::kUtf16LeBom;
    bytes = EncodeIniText(updated.Serialize(), encoding, representable);
  }

  std::filesystem::path temporary = path_;
  temporary += ".new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      out.close();
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      return false;
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, path_, error);
  if (error) {
    std::filesystem::remove(temporary, error);
    return false;
  }
  document_ = std::move(updated);
  encoding_ = encoding;
  loaded_stamp_ = CurrentStamp();
  return true;
}

}  // namespace tarvolin
