#pragma once
// toml++, the TOML library Debian packages as libtomlplusplus-dev, included as its headers
// alone: the program then needs no shared library for it, and the fuzz target instruments the
// parser along with our reader. Every file includes it through here, so that all agree on its
// configuration: errors come back as results, never as exceptions.

#define TOML_HEADER_ONLY 1
#define TOML_EXCEPTIONS 0
#define TOML_ENABLE_FORMATTERS 1

#include <toml++/toml.h>
