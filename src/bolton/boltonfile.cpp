#include "bolton/boltonfile.h"

#include "common/fileio.h"
#include "common/recordfield.h"

namespace vel {

namespace {

constexpr int kNameCapacity = 50;
constexpr int kWidthCapacity = 5;
constexpr int kWidthField = kWidthCapacity + 1;

// The fields after the name, in file order.
template <typename Record, typename Fn>
void forEachWidth(Record& r, Fn fn)
{
    int offset = kNameCapacity + 1;
    auto next = [&](auto& text) {
        fn(offset, text);
        offset += kWidthField;
    };
    for (auto& t : r.maxilla)
        next(t);
    for (auto& t : r.mandible)
        next(t);
    next(r.thirdMolarLeft);
    next(r.thirdMolarRight);
    next(r.secondMolarLeft);
    next(r.secondMolarRight);
}

}  // namespace

QByteArray BoltonRecord::toBytes() const
{
    QByteArray bytes(kSize, '\0');
    writeShortString(bytes, 0, kNameCapacity, patient);
    forEachWidth(*this, [&](int offset, const QString& text) { writeShortString(bytes, offset, kWidthCapacity, text); });
    return bytes;
}

BoltonRecord BoltonRecord::fromBytes(const QByteArray& bytes)
{
    BoltonRecord r;
    r.patient = readShortString(bytes, 0, kNameCapacity);
    forEachWidth(r, [&](int offset, QString& text) { text = readShortString(bytes, offset, kWidthCapacity); });
    return r;
}

BoltonRecord readBoltonFile(const QString& path)
{
    return BoltonRecord::fromBytes(readFileHead(path, BoltonRecord::kSize));
}

}  // namespace vel
