#pragma once
// Ownership of GMime and GLib objects, and the one-time start of GMime.

#include <gmime/gmime.h>

#include <memory>
#include <string>

namespace ostrel::transport {

// Starts GMime the first time it is called; safe from any thread.
void EnsureGMime();

struct GObjectUnref {
  void operator()(gpointer object) const {
    if (object) g_object_unref(object);
  }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

struct GFreeDeleter {
  void operator()(gpointer memory) const { g_free(memory); }
};
using GCharPtr = std::unique_ptr<char, GFreeDeleter>;

// Takes a GLib string and frees it; null gives "".
std::string TakeGString(char* text);

}  // namespace ostrel::transport
