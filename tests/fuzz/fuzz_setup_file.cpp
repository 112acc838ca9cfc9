// libFuzzer target for the set-up file reader: any bytes must never crash it, and a set-up it
// accepts, written out and read again, must give the very same file.

#include "setup/SetupFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const fd::StoredRecord fresh{};
    const fd::Outcome<fd::setup::Setup> read = fd::setup::readSetup(bytes, "fuzz", fresh);
    if (!read.ok() && !read.failure().startsWith(u"The set-up file \"fuzz\""))
        std::abort(); // every refusal names the file
    if (!read.ok())
        return 0;
    const QByteArray written = fd::setup::writeSetup(*read);
    const fd::Outcome<fd::setup::Setup> again = fd::setup::readSetup(written, "fuzz", fresh);
    if (!again.ok() || fd::setup::writeSetup(*again) != written)
        std::abort();
    return 0;
}
