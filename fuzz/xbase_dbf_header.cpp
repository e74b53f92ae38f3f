// Fuzzes the DBF header reader and the record reading behind it: any bytes as a
// table file must open cleanly or fail with a message, and every field of every
// record must read without touching memory outside the record. Two kilobytes hold a
// header of some fifty fields and the first records; the seed tables are cut to that.
#include "fuzz/input_limit.h"
#include "xbase/dbf_header.h"
#include "xbase/field_value.h"
#include "xbase/table.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    limitInputLength(argc, argv, "-max_len=2048");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    xb::DbfHeader header;
    std::string error;
    if (xb::parseDbfHeader(data, size, header, error)) {
        std::string layout = error;
        xb::layoutFields(header, layout);
    }

    const int fd = memfd_create("fuzz.dbf", 0);
    if (fd < 0)
        return 0;
    if (write(fd, data, size) == static_cast<ssize_t>(size)) {
        const std::string path = "/proc/self/fd/" + std::to_string(fd);
        if (auto table = xb::Table::open(path, xb::OpenMode::ReadOnly, error)) {
            const long count = std::min(table->recordCount(), 64L);
            for (long r = 1; r <= count; ++r) {
                const char* rec = table->record(r);
                if (!rec)
                    break;
                std::string copy(rec, static_cast<std::size_t>(table->recordLength()));
                for (const xb::DbfField& f : table->fields())
                    xb::fieldText(f, copy.data());
            }
        }
    }
    close(fd);
    return 0;
}
