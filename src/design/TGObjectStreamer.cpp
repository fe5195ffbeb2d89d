#include "design/TGObjectStreamer.h"

namespace {
std::unique_ptr<TGObjectStreamer> &installed()
{
    static std::unique_ptr<TGObjectStreamer> s;
    return s;
}
} // namespace

TGObjectStreamer *TGObjectStreamer::current()
{
    return installed().get();
}

std::unique_ptr<TGObjectStreamer> TGObjectStreamer::install(std::unique_ptr<TGObjectStreamer> streamer)
{
    std::swap(installed(), streamer);
    return streamer;
}
