// Writes 24-bit pictures as PNG files with no compression library: the
// image data goes into "stored" deflate blocks, which every PNG reader
// takes. The files are larger than compressed ones, which does not matter
// for pictures that are looked at and then compressed by git.
#pragma once

#include <array>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace tavri::tools {

class PngWriter {
 public:
  // rgb: width × height pixels, rows top to bottom, three bytes each.
  static bool Write(const std::string& path, int width, int height,
                    const std::vector<std::uint8_t>& rgb) {
    std::vector<std::uint8_t> raw;
    raw.reserve(static_cast<std::size_t>(height) * (1 + 3 * static_cast<std::size_t>(width)));
    for (int y = 0; y < height; ++y) {
      raw.push_back(0);  // no filter
      const auto* row = rgb.data() + static_cast<std::size_t>(y) * 3 * static_cast<std::size_t>(width);
      raw.insert(raw.end(), row, row + 3 * static_cast<std::size_t>(width));
    }
    std::vector<std::uint8_t> zlib{0x78, 0x01};
    for (std::size_t at = 0; at < raw.size() || at == 0;) {
      const std::size_t length = std::min<std::size_t>(65535, raw.size() - at);
      const bool last = at + length == raw.size();
      zlib.push_back(last ? 1 : 0);
      zlib.push_back(static_cast<std::uint8_t>(length & 0xFF));
      zlib.push_back(static_cast<std::uint8_t>(length >> 8));
      zlib.push_back(static_cast<std::uint8_t>(~length & 0xFF));
      zlib.push_back(static_cast<std::uint8_t>((~length >> 8) & 0xFF));
      zlib.insert(zlib.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
                  raw.begin() + static_cast<std::ptrdiff_t>(at + length));
      at += length;
      if (last) break;
    }
    AppendBig(zlib, Adler32(raw));

    std::vector<std::uint8_t> header;
    AppendBig(header, static_cast<std::uint32_t>(width));
    AppendBig(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, truecolour

    std::ofstream file(path, std::ios::binary);
    const std::uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    file.write(reinterpret_cast<const char*>(signature), sizeof signature);
    Chunk(file, "IHDR", header);
    Chunk(file, "IDAT", zlib);
    Chunk(file, "IEND", {});
    return static_cast<bool>(file);
  }

 private:
  static void AppendBig(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
  }
  static std::uint32_t Adler32(const std::vector<std::uint8_t>& data) {
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : data) {
      a = (a + byte) % 65521;
      b = (b + a) % 65521;
    }
    return (b << 16) | a;
  }
  static std::uint32_t Crc32(const std::vector<std::uint8_t>& data) {
    static const std::array<std::uint32_t, 256> table = [] {
      std::array<std::uint32_t, 256> t{};
      for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[n] = c;
      }
      return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::uint8_t byte : data) crc = table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
  }
  static void Chunk(std::ofstream& file, const char* type, const std::vector<std::uint8_t>& body) {
    std::vector<std::uint8_t> out;
    AppendBig(out, static_cast<std::uint32_t>(body.size()));
    std::vector<std::uint8_t> typed(type, type + 4);
    typed.insert(typed.end(), body.begin(), body.end());
    out.insert(out.end(), typed.begin(), typed.end());
    AppendBig(out, Crc32(typed));
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
  }
};

}  // namespace tavri::tools
