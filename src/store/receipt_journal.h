#pragma once
// The receipt journal "receipt.dat" in the program folder. A mail check files
// the messages it has fetched in batches; before the first file of a batch
// takes its name, the journal says which messages the batch files, under
// which names, and which temporary files become which files. It is removed
// once the batch is filed and remembered. A run killed in between leaves it
// behind, and the next run finishes what it says or takes it back, so that
// no message is filed twice nor lost.
//
// A text file of CR LF lines, each of fields separated by TAB:
//   message TAB box TAB name TAB line    a message of the box ("In" or
//                                        "Junk") named "MSG12", and its line
//                                        in "uidl.dat" (which may hold TABs)
//   file TAB folder TAB temporary TAB final
//                                        one of the message's files: its
//                                        temporary name and its name in the
//                                        folder ("In", "Junk" or "Save")
//
// A batch is filed in this order: its files are written under temporary
// names and flushed with the journal; the journal takes its name; the
// message files take theirs; the box records are appended and flushed; the
// lines of "uidl.dat" are appended and flushed; the attachments in "Save"
// take their names; the journal goes. So a message whose record or line is
// on disk is filed (what it lacks is finished), and any other is taken back
// (its message files are removed, and the check fetches it again).

#include <filesystem>
#include <string>
#include <vector>

namespace ostrel::store {

inline constexpr const char* kReceiptJournalName = "receipt.dat";
// The identifiers of the messages filed from each account, one line each.
inline constexpr const char* kReceivedIdsFileName = "uidl.dat";

struct JournaledFile {
  std::string folder;     // "In", "Junk" or "Save"
  std::string temporary;  // the name it is written under
  std::string final;      // the name it takes
};

struct JournaledReceipt {
  std::string box;
  std::string name;
  std::string receivedLine;  // without CR LF
  std::vector<JournaledFile> files;
};

// The journal's bytes.
std::string ReceiptJournalText(const std::vector<JournaledReceipt>& receipts);

// The lines of "uidl.dat" without their CR LF; a last line without its line
// break, which a kill cut short, is none.
std::vector<std::string> ReadReceivedLines(const std::filesystem::path& programFolder);
// Appends lines (without CR LF) to "uidl.dat" in one write and flushes them,
// after cutting off a last line a kill cut short.
void AppendReceivedLines(const std::filesystem::path& programFolder, const std::vector<std::string>& lines);

// Removes the journal of a batch filed, flushing the removal to disk: a
// journal that came back after a crash could take back messages of the
// same names filed later.
void RemoveReceiptJournal(const std::filesystem::path& programFolder);

// Finishes or takes back the batch the journal describes, then removes the
// journal; false when there is none. The caller holds the store lock. A
// journal that cannot be read as above is removed without acting on it.
// Throws std::system_error when a file cannot be renamed, removed or
// flushed; the journal then stays for the next try.
bool SettleJournaledReceipt(const std::filesystem::path& programFolder);

}  // namespace ostrel::store
