// libFuzzer target: the index-file loader on arbitrary file contents, and what
// the program derives from the names and positions it loads.
#include "data/featurenames.h"
#include "data/featuretable.h"
#include "data/fileerror.h"

#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace {
QString scratchFile()
{
    // tmpfs when there is one: the target writes and syncs a file per input.
    const char* base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    static const QString path = QStringLiteral("%1/selvanor-fuzz-%2.dat").arg(QLatin1String(base)).arg(::getpid());
    return path;
}

void writeFile(const QString& path, const std::uint8_t* data, std::size_t size)
{
    const QByteArray name = path.toLocal8Bit();
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0)
        std::abort();
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n <= 0)
            std::abort();
        done += std::size_t(n);
    }
    ::close(fd);
}

void deriveFromNames(const FeatureTable& table)
{
    for (int i = 1; i <= FeatureTableSize; ++i) {
        const FeatureRecord& record = table.slot(i);
        if (!record.inUse())
            continue;
        const QString name = record.name();
        if (name.size() > FeatureRecord::MaxNameLength)
            __builtin_trap();
        (void)isCraterName(name);
        if (hasPhotographMark(name)) {
            const QString photo = photographFileName(name);
            (void)isBareFileName(photo);
            (void)fileBaseName(photo);
        }
        for (const Real48& r : {record.posX, record.posY}) {
            const double v = decodeReal48(r);
            if (std::isnan(v) || decodeReal48(encodeReal48(v)) != v)
                __builtin_trap();
        }
    }
}
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static auto* table = new FeatureTable;
    const QString path = scratchFile();
    writeFile(path, data, size);

    constexpr std::size_t recordSize = sizeof(FeatureRecord);
    const std::size_t whole = std::min<std::size_t>(size / recordSize, FeatureTableSize);
    // A file cut inside a record within the first 800 is damaged; beyond that
    // the excess is ignored.
    const bool damaged = size % recordSize != 0 && size / recordSize < FeatureTableSize;

    table->initnamen();
    bool threw = false;
    try {
        table->leesnamen(path);
    } catch (const FileError&) {
        threw = true;
    }
    if (threw != damaged)
        __builtin_trap();
    // What was read is no edit, whatever its bytes.
    if (table->changedSinceRead() || table->editsWouldBeLost(path))
        __builtin_trap();
    for (std::size_t i = 0; i < whole; ++i)
        if (std::memcmp(&table->slot(int(i) + 1), data + i * recordSize, recordSize) != 0)
            __builtin_trap();
    deriveFromNames(*table);

    int count = -1;
    try {
        (void)readIndexFile(path, &count);
        if (damaged || count != int(whole))
            __builtin_trap();
    } catch (const FileError&) {
        if (!damaged)
            __builtin_trap();
    }

    // A whole file survives a save and a reload unchanged.
    if (!damaged) {
        auto before = std::make_unique<FeatureRecord[]>(whole);
        for (std::size_t i = 0; i < whole; ++i)
            before[i] = table->slot(int(i) + 1);
        table->opslaan(path);
        table->leesnamen(path);
        for (std::size_t i = 0; i < whole; ++i)
            if (std::memcmp(&table->slot(int(i) + 1), &before[i], recordSize) != 0)
                __builtin_trap();
    }
    return 0;
}
