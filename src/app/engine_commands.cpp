#include "app/engine_commands.h"

#include <iostream>
#include <iterator>
#include <optional>

#include "app/progress_line.h"
#include "app/store_commands.h"
#include "app/work_session.h"
#include "engine/hex_text.h"

namespace ostrel::app {
namespace {

std::string ReadAll(std::istream& in) {
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int WriteAll(std::ostream& out, const std::string& bytes) {
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.flush();
  if (!out) throw engine::EngineError("Cannot write the output.");
  return 0;
}

int EncryptText(const CommandLine& line, Streams& streams) {
  line.ExpectArguments(0);
  WorkSession session(line.Option("work"));
  LoadCommandKey(session, line);
  std::string text = ReadAll(streams.in);
  session.Engine().EncryptText(text);
  return WriteAll(streams.out, engine::HexEncode(text));
}

int DecryptText(const CommandLine& line, Streams& streams) {
  line.ExpectArguments(0);
  WorkSession session(line.Option("work"));
  LoadCommandKey(session, line);
  std::string text = ReadAll(streams.in);
  engine::HexDecode(text);
  session.Engine().DecryptText(text);
  return WriteAll(streams.out, text);
}

// Enciphers or deciphers SOURCE into DESTINATION; a large file shows a
// progress line while the engine works.
int CipherFile(const CommandLine& line, Streams& streams, bool encrypt) {
  line.ExpectArguments(2);
  WorkSession session(line.Option("work"));
  LoadCommandKey(session, line);
  const std::filesystem::path source = line.arguments[0];
  const std::filesystem::path destination = line.arguments[1];
  ProgressLine progress(streams.err, streams.errIsTerminal);
  std::optional<TimedProgress> working;
  if (const std::uintmax_t bytes = FileBytes(source); bytes >= kLongFileBytes) {
    working.emplace(progress, FileWorkText(encrypt ? "Enciphering" : "Deciphering", source, bytes));
  }
  if (encrypt) {
    session.Engine().EncryptFile(source, destination);
  } else {
    session.Engine().DecryptFile(source, destination);
  }
  return 0;
}

int EncryptFile(const CommandLine& line, Streams& streams) { return CipherFile(line, streams, true); }

int DecryptFile(const CommandLine& line, Streams& streams) { return CipherFile(line, streams, false); }

int Keyspace(const CommandLine& line, Streams&) {
  line.ExpectArguments(0);
  const std::string key = line.Required("key");
  WorkSession session(line.Required("work"));
  session.LoadKey(key);
  return 0;
}

}  // namespace

std::vector<Command> EngineCommands() {
  return {
      {"encrypt-text", "--key KEY | --folder DIR [--work DIR]",
       "enciphers the bytes on standard input and writes them as hex text", EncryptText},
      {"decrypt-text", "--key KEY | --folder DIR [--work DIR]",
       "reads hex text on standard input and writes the deciphered bytes", DecryptText},
      {"encrypt-file", "--key KEY | --folder DIR [--work DIR] SOURCE DESTINATION", "enciphers a file into another",
       EncryptFile},
      {"decrypt-file", "--key KEY | --folder DIR [--work DIR] SOURCE DESTINATION", "deciphers a file into another",
       DecryptFile},
      {"keyspace", "--key KEY --work DIR", "generates the key's work files in DIR and leaves them there",
       Keyspace},
  };
}

}  // namespace ostrel::app
