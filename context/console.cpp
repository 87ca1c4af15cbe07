#include "context/console.h"

#include "textio/free_writer.h"

namespace context {

void print_closing_triple(textio::OutputFile& console) {
  textio::write_free(console);
  textio::write_free(console, separator_line);
  textio::write_free(console);
}

}  // namespace context
