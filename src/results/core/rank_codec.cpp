#include "results/core/rank_codec.h"

#include <cstdint>

#include "results/core/code_page.h"

namespace tavri {

std::string NameField(std::u32string_view name) {
  std::string field;
  for (char32_t c : name) {
    std::string bytes = ToCp932(std::u32string_view(&c, 1));
    if (field.size() + bytes.size() > kNameFieldSize) break;
    field += bytes;
  }
  field.resize(kNameFieldSize, ' ');
  return field;
}

std::string EncodeRecord(const ListEntry& entry) {
  std::string bytes = NameField(entry.name);
  auto score = static_cast<std::uint16_t>(entry.score);
  bytes += static_cast<char>(score & 0xFF);
  bytes += static_cast<char>(score >> 8);
  return bytes;
}

std::string BlankRecord() { return std::string(kNameFieldSize, ' ') + std::string(2, '\0'); }

ListEntry DecodeRecord(std::string_view bytes) {
  ListEntry entry;
  entry.name = FromCp932(bytes.substr(0, kNameFieldSize));
  entry.name.resize(kNameLength, U' ');
  if (bytes.size() >= kRecordSize) {
    auto low = static_cast<unsigned char>(bytes[kNameFieldSize]);
    auto high = static_cast<unsigned char>(bytes[kNameFieldSize + 1]);
    entry.score = static_cast<std::int16_t>(static_cast<std::uint16_t>(low | (high << 8)));
  }
  return entry;
}

ListEntry RecordAt(std::string_view file, std::size_t number) {
  std::size_t offset = (number - 1) * kRecordSize;
  if (number == 0 || offset >= file.size()) return DecodeRecord({});
  return DecodeRecord(file.substr(offset, kRecordSize));
}

}  // namespace tavri
