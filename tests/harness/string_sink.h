// The rules file's text written into a string, for the tests to look at.
#pragma once

#include <string>

#include "settings_text.h"

struct StringSink final : settings_text::Sink {
  std::string text;
  bool Write(const char *data, std::size_t size) override {
    text.append(data, size);
    return true;
  }
};
