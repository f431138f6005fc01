// A language file is plain text a translator edits: any content must load, and every text
// must format with its arguments without reading past them, whatever placeholders it holds.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "i18n/language_loader.h"
#include "i18n/language_table.h"
#include "i18n/safe_printf.h"
#include "i18n/text_catalog.h"
#include "platform/ini_file.h"
#include "platform/ini_file_codec.h"

using namespace tarvolin;

namespace {

class DocumentStore final : public IniStore {
 public:
  explicit DocumentStore(IniDocument document) : document_(std::move(document)) {}
  std::u16string Read(std::u16string_view section, std::u16string_view key,
                      std::u16string_view fallback) const override {
    return document_.Find(section, key).value_or(std::u16string(fallback));
  }
  bool Write(std::u16string_view, std::u16string_view, std::u16string_view) override {
    return false;
  }

 private:
  IniDocument document_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto decoded = DecodeIniBytes(std::string_view(reinterpret_cast<const char*>(data), size));
  const DocumentStore store(IniDocument::Parse(decoded.text));
  LanguageTable table;
  LoadLanguageTable(store, table);
  (void)LoadAboutTexts(store);
  for (std::size_t i = 0; i < kTextKeyCount; ++i) {
    const auto key = static_cast<TextKey>(i);
    const auto kinds = PlaceholderKinds(BuiltinText(key));
    if (!kinds) continue;
    std::vector<FormatArg> args;
    for (const auto kind : *kinds) {
      if (kind == PlaceholderKind::kInteger) {
        args.emplace_back(-2147483647);
      } else {
        args.emplace_back(u"G9");
      }
    }
    (void)FormatText(table.Text(key), BuiltinText(key), args);
  }
  return 0;
}
