#include "report/BandedImageTarget.h"

#include "report/ReportPage.h"

#include <QFile>

#include <png.h>

#include <csetjmp>
#include <cmath>

// One PNG file written row by row (8-bit RGB).
class PngRowWriter
{
public:
    PngRowWriter(const QString &path, QSize size, int dpiX, int dpiY) : file_(path), size_(size)
    {
        if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return;
        png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        info_ = png_ ? png_create_info_struct(png_) : nullptr;
        if (!info_)
            return;
        if (setjmp(png_jmpbuf(png_)))
            return;
        png_set_write_fn(png_, this, &PngRowWriter::write, &PngRowWriter::flush);
        png_set_IHDR(png_, info_, png_uint_32(size.width()), png_uint_32(size.height()), 8, PNG_COLOR_TYPE_RGB,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_set_pHYs(png_, info_, png_uint_32(std::lround(dpiX / 0.0254)), png_uint_32(std::lround(dpiY / 0.0254)),
                     PNG_RESOLUTION_METER);
        // Sheets are mostly white: the fastest settings still pack them well.
        png_set_compression_level(png_, 1);
        png_set_filter(png_, 0, PNG_FILTER_SUB);
        png_write_info(png_, info_);
        row_.resize(size_t(size.width()) * 3);
        ok_ = true;
    }

    ~PngRowWriter()
    {
        if (png_)
            png_destroy_write_struct(&png_, info_ ? &info_ : nullptr);
    }

    bool ok() const { return ok_ && file_.error() == QFileDevice::NoError; }
    QString errorString() const { return file_.errorString(); }

    // The rows of `band` from its top, as far as the page goes.
    bool writeRows(const QImage &band, int rows)
    {
        if (!ok_)
            return false;
        if (setjmp(png_jmpbuf(png_)))
            return ok_ = false;
        for (int y = 0; y < rows && rowsWritten_ < size_.height(); ++y, ++rowsWritten_) {
            const auto *pixels = reinterpret_cast<const QRgb *>(band.constScanLine(y));
            png_byte *out = row_.data();
            for (int x = 0; x < size_.width(); ++x) {
                *out++ = png_byte(qRed(pixels[x]));
                *out++ = png_byte(qGreen(pixels[x]));
                *out++ = png_byte(qBlue(pixels[x]));
            }
            png_write_row(png_, row_.data());
        }
        return ok();
    }

    bool finish()
    {
        if (!ok_ || rowsWritten_ != size_.height())
            return false;
        if (setjmp(png_jmpbuf(png_)))
            return false;
        png_write_end(png_, info_);
        file_.close();
        return file_.error() == QFileDevice::NoError;
    }

private:
    static void write(png_structp png, png_bytep data, png_size_t length)
    {
        auto *self = static_cast<PngRowWriter *>(png_get_io_ptr(png));
        if (self->file_.write(reinterpret_cast<const char *>(data), qint64(length)) != qint64(length))
            png_error(png, "write failed");
    }
    static void flush(png_structp) {}

    QFile file_;
    QSize size_;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
    std::vector<png_byte> row_;
    int rowsWritten_ = 0;
    bool ok_ = false;
};

BandedImageTarget::BandedImageTarget(const QString &pathPattern, const SimulatedDevice &device, int bandRows)
    // An even height keeps every band an even number of rows from the
    // first, as copies of a drawing want (report/RasterStamp).
    : pathPattern_(pathPattern), device_(device), bandRows_(std::max(2, bandRows & ~1))
{
}

BandedImageTarget::~BandedImageTarget()
{
    if (painter_.isActive())
        painter_.end();
}

int BandedImageTarget::passes() const
{
    const int height = device_.metrics().page.height();
    return std::max(1, (height + bandRows_ - 1) / bandRows_);
}

QPainter *BandedImageTarget::beginDocument(const QString &, int)
{
    if (pass_ == 0) {
        abortDocument();
        metrics_ = device_.metrics();
        if (!metrics_.isValid())
            return nullptr;
    }
    page_ = 0;
    return startPage() ? &painter_ : nullptr;
}

bool BandedImageTarget::startPage()
{
    if (pass_ == 0) {
        const int page = int(files_.size()) + 1;
        files_.push_back(std::make_unique<PngRowWriter>(pagePath(page), metrics_.page, metrics_.dpiX, metrics_.dpiY));
        if (!files_.back()->ok()) {
            error_ = QStringLiteral("%1 could not be written: %2").arg(pagePath(page), files_.back()->errorString());
            return false;
        }
    } else if (page_ >= int(files_.size())) {
        error_ = QStringLiteral("The document had other pages on another run.");
        return false;
    }
    const int top = pass_ * bandRows_;
    const int rows = std::min(bandRows_, metrics_.page.height() - top);
    if (band_.size() != QSize(metrics_.page.width(), rows))
        band_ = QImage(metrics_.page.width(), rows, QImage::Format_RGB32);
    band_.fill(Qt::white);
    band_.setDotsPerMeterX(std::lround(metrics_.dpiX / 0.0254));
    band_.setDotsPerMeterY(std::lround(metrics_.dpiY / 0.0254));
    if (!painter_.begin(&band_))
        return false;
    painter_.translate(metrics_.printable.topLeft() - QPoint(0, top));
    return true;
}

bool BandedImageTarget::finishPage()
{
    if (!painter_.isActive())
        return false;
    painter_.resetTransform();
    painter_.translate(0, -pass_ * bandRows_);
    ReportPage::maskUnprintable(painter_, metrics_);
    painter_.end();
    if (!files_.at(size_t(page_))->writeRows(band_, band_.height())) {
        error_ = QStringLiteral("%1 could not be written: %2").arg(pagePath(page_ + 1), files_.at(size_t(page_))->errorString());
        return false;
    }
    return true;
}

bool BandedImageTarget::newPage()
{
    if (!finishPage())
        return false;
    ++page_;
    return startPage();
}

bool BandedImageTarget::endDocument()
{
    const bool ok = finishPage() && page_ + 1 == int(files_.size());
    if (!ok) {
        dropFiles();
        return false;
    }
    if (++pass_ < passes())
        return true;
    pass_ = 0;
    for (size_t i = 0; i < files_.size(); ++i) {
        if (!files_[i]->finish()) {
            error_ = QStringLiteral("%1 could not be written.").arg(pagePath(int(i) + 1));
            dropFiles();
            return false;
        }
    }
    pagesWritten_ = int(files_.size());
    files_.clear();
    band_ = QImage();
    return true;
}

void BandedImageTarget::abortDocument()
{
    if (painter_.isActive())
        painter_.end();
    dropFiles();
}

void BandedImageTarget::dropFiles()
{
    for (size_t i = 0; i < files_.size(); ++i) {
        files_[i].reset();
        QFile::remove(pagePath(int(i) + 1));
    }
    files_.clear();
    pass_ = 0;
    pagesWritten_ = 0;
    band_ = QImage();
}
