#pragma once
// The junk test of receiving: does a filter word occur in the subject or the
// body of a message?

#include <string>
#include <string_view>
#include <vector>

namespace ostrel::transport {

// True when a message is junk. The subject is first reduced to its ASCII
// letters and blanks (so "S-A-L-E!" reads "SALE"); then each filter word, in
// table order, is looked for in the reduced subject and, when no word hit
// there, in the whole body. Case does not count, and there are no word
// boundaries: "win" hits "W.I.N. a prize" and "winner". Texts are UTF-8.
bool CheckSubjectAndBody(std::string_view subj, std::string_view bdy,
                         const std::vector<std::string>& filterWords);

}  // namespace ostrel::transport
