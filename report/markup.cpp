#include "report/markup.h"

#include <charconv>
#include <cmath>

namespace report {

namespace {

// Writes number_text's form of a value into text (room for 400 characters);
// returns its length.
std::size_t format_number(char* text, double value, int decimals) {
  if (!std::isfinite(value))
    return 0;
  const auto r =
      std::to_chars(text, text + 400, value, std::chars_format::fixed, decimals < 0 ? 0 : decimals);
  std::string_view s(text, static_cast<std::size_t>(r.ptr - text));
  if (s.find('.') != std::string_view::npos) {
    s = s.substr(0, s.find_last_not_of('0') + 1);
    if (s.back() == '.')
      s.remove_suffix(1);
  }
  if (s == "-0") {
    text[0] = '0';
    return 1;
  }
  return s.size();
}

}  // namespace

std::string number_text(double value, int decimals) {
  char text[400];
  return std::string(text, format_number(text, value, decimals));
}

namespace {

// The length of the UTF-8 sequence at text[k], 0 when it is not one.
std::size_t utf8_length(std::string_view text, std::size_t k) {
  const auto lead = static_cast<unsigned char>(text[k]);
  const std::size_t n = lead < 0x80                   ? 1
                        : lead >= 0xc2 && lead < 0xe0 ? 2
                        : lead >= 0xe0 && lead < 0xf0 ? 3
                        : lead >= 0xf0 && lead < 0xf5 ? 4
                                                      : 0;
  if (n == 0 || k + n > text.size())
    return 0;
  for (std::size_t m = 1; m < n; ++m) {
    if ((static_cast<unsigned char>(text[k + m]) & 0xc0) != 0x80)
      return 0;
  }
  return n;
}

}  // namespace

std::string escaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t k = 0; k < text.size(); ++k) {
    const char c = text[k];
    if (static_cast<unsigned char>(c) >= 0x80) {
      // A name in another encoding than UTF-8 would make the page unreadable.
      const std::size_t n = utf8_length(text, k);
      out += n == 0 ? std::string_view("?") : text.substr(k, n);
      k += n == 0 ? 0 : n - 1;
      continue;
    }
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        // Control characters other than tab and line ends are not allowed in
        // XML at all: a name from a damaged file shows them as "?".
        out +=
            (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') ? '?' : c;
    }
  }
  return out;
}

Page& operator<<(Page& page, Markup markup) {
  textio::write_bytes(page.out, markup.text);
  return page;
}

Page& operator<<(Page& page, std::string_view text) {
  return page << Text{text};
}

Page& operator<<(Page& page, Lines lines) {
  std::string_view rest = lines.markup;
  for (std::size_t end; (end = rest.find('\n')) != std::string_view::npos;) {
    const std::size_t kept = end > 0 && rest[end - 1] == '\r' ? end - 1 : end;
    textio::write_bytes(page.out, rest.substr(0, kept));
    textio::write_bytes(page.out, "\r\n");
    rest.remove_prefix(end + 1);
  }
  textio::write_bytes(page.out, rest);
  return page;
}

Page& operator<<(Page& page, Num number) {
  char text[400];
  textio::write_bytes(page.out,
                      std::string_view(text, format_number(text, number.value, number.decimals)));
  return page;
}

Page& operator<<(Page& page, Fixed number) {
  if (!std::isfinite(number.value))
    return page;
  char text[400];
  const auto r = std::to_chars(text, text + sizeof text, number.value, std::chars_format::fixed,
                               number.decimals < 0 ? 0 : number.decimals);
  std::string_view s(text, static_cast<std::size_t>(r.ptr - text));
  if (s.front() == '-' && s.find_first_not_of("-0.") == std::string_view::npos)
    s.remove_prefix(1);  // -0.00 is 0.00
  textio::write_bytes(page.out, s);
  return page;
}

Page& operator<<(Page& page, Int number) {
  char text[24];
  const auto r = std::to_chars(text, text + sizeof text, number.value);
  textio::write_bytes(page.out, std::string_view(text, static_cast<std::size_t>(r.ptr - text)));
  return page;
}

Page& operator<<(Page& page, Text text) {
  textio::write_bytes(page.out, escaped(text.text));
  return page;
}

}  // namespace report
