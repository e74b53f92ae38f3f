#include "platform/cupsqueue.h"

#include <QFile>
#include <cmath>
#include <cups/cups.h>
#include <memory>

namespace {

struct Dests {
    cups_dest_t* list = nullptr;
    int count = 0;
    Dests() { count = cupsGetDests2(CUPS_HTTP_DEFAULT, &list); }
    ~Dests() { cupsFreeDests(count, list); }
    Dests(const Dests&) = delete;
    Dests& operator=(const Dests&) = delete;
};

// Hundredths of a millimetre, the unit of the scheduler's media sizes.
int Hundredths(double inches)
{
    return int(std::lround(inches * 2540));
}

} // namespace

QStringList CupsQueueNames()
{
    const Dests dests;
    QStringList names;
    for (int i = 0; i < dests.count; ++i)
        if (!dests.list[i].instance)
            names << QString::fromUtf8(dests.list[i].name);
    names.sort();
    return names;
}

QString CupsDefaultQueue()
{
    const Dests dests;
    const cups_dest_t* dest = cupsGetDest(nullptr, nullptr, dests.count, dests.list);
    return dest ? QString::fromUtf8(dest->name) : QString();
}

QString CupsQueueAttribute(const QString& queue, const char* name)
{
    const Dests dests;
    const cups_dest_t* dest = cupsGetDest(queue.toUtf8().constData(), nullptr, dests.count, dests.list);
    return dest ? QString::fromUtf8(cupsGetOption(name, dest->num_options, dest->options)) : QString();
}

std::optional<QSizeF> CupsQueuePaper(const QString& queue)
{
    const Dests dests;
    cups_dest_t* dest = cupsGetDest(queue.toUtf8().constData(), nullptr, dests.count, dests.list);
    if (!dest)
        return std::nullopt;
    // The user's own choice for the queue (lpoptions) first, else the queue's default.
    QByteArray name = cupsGetOption("media", dest->num_options, dest->options);
    if (name.isEmpty()) {
        const std::unique_ptr<cups_dinfo_t, decltype(&cupsFreeDestInfo)> info(cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest),
                                                                              &cupsFreeDestInfo);
        if (ipp_attribute_t* media = info ? cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info.get(), "media") : nullptr)
            name = ippGetString(media, 0, nullptr);
    }
    const pwg_media_t* size = name.isEmpty() ? nullptr : pwgMediaForPWG(name.constData());
    if (!size)
        size = name.isEmpty() ? nullptr : pwgMediaForLegacy(name.constData());
    if (!size || size->width <= 0 || size->length <= 0)
        return std::nullopt;
    return QSizeF(size->width / 2540.0, size->length / 2540.0);
}

QString SubmitPdfToQueue(const QString& queue, const QString& pdfPath, const CupsJob& job)
{
    cups_option_t* options = nullptr;
    int count = 0;
    count = cupsAddOption("copies", QByteArray::number(std::max(job.copies, 1)).constData(), count, &options);
    count = cupsAddOption("print-scaling", "none", count, &options);
    if (const pwg_media_t* media =
            pwgMediaForSize(Hundredths(job.paperInches.width()), Hundredths(job.paperInches.height())))
        count = cupsAddOption("media", media->pwg, count, &options);
    const int id = cupsPrintFile(queue.toUtf8().constData(), QFile::encodeName(pdfPath).constData(),
                                 job.title.toUtf8().constData(), count, options);
    cupsFreeOptions(count, options);
    if (id > 0)
        return QString();
    const QString reason = QString::fromUtf8(cupsLastErrorString());
    // A queue removed since it was chosen: the scheduler's reason would only name a file.
    return CupsQueueNames().contains(queue) ? reason : QStringLiteral("the printer is not installed any more.");
}
