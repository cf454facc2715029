// Subject record reader: no input may crash it, and an accepted record written out
// again reads back as the same record.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "quorl/core/SubjectRecordFile.h"

using namespace krovel;
using namespace krovel::quorl;

namespace {

bool SameRecord(const SubjectRecord& a, const SubjectRecord& b) {
    return a.SubjectName == b.SubjectName && a.Sex == b.Sex && a.SubjectSpare == b.SubjectSpare &&
           a.Height == b.Height && a.BodyWeight == b.BodyWeight && a.Comment == b.Comment &&
           a.SubjectSpareText1 == b.SubjectSpareText1 && a.SubjectSpareText2 == b.SubjectSpareText2;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto record =
        ParseSubjectRecord(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!record) return 0;
    const auto again = ParseSubjectRecord(FormatSubjectRecord(*record));
    if (!again || !SameRecord(*record, *again)) std::abort();
    return 0;
}
