#include "dsp/DesignFilters.h"

#include "dsp/ChannelResponse.h"
#include "dsp/FilterResponse.h"
#include "dsp/SettingTexts.h"

namespace linelab {

void DesignFilters(FilterSettings& settings, double dBaudRate, Responses& out, Reporter* reporter) {
    FilterTexts texts;
    settings.ReadFilterTexts(texts);
    NormaliseFilterTexts(settings, texts);

    BuildFilterResponse(texts.side[0], FilterSide::Transmitter, dBaudRate, out.dTxResponse,
                        reporter);
    BuildFilterResponse(texts.side[1], FilterSide::Receiver, dBaudRate, out.dRxResponse, reporter);
    if (texts.side[1].filter == "Matched") {
        MatchTransmitResponse(out.dTxResponse, out.dRxResponse);
    }
    BuildChannelResponse(texts.lowPass, texts.highPass, dBaudRate, out.dChannelResponse);
    BuildTotalResponse(out.dChannelResponse, out.dTxResponse, out.dRxResponse, out.dTotalResponse);
}

}  // namespace linelab
