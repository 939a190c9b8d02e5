#include "dsp/DesignFilters.h"

#include "dsp/ChannelResponse.h"
#include "dsp/FilterResponse.h"

namespace linelab {

void DesignFilters(const FilterConfig& filters, double dBaudRate, Responses& out,
                   Reporter* reporter) {
    BuildFilterResponse(filters.side[0], FilterSide::Transmitter, dBaudRate, out.dTxResponse,
                        reporter);
    BuildFilterResponse(filters.side[1], FilterSide::Receiver, dBaudRate, out.dRxResponse,
                        reporter);
    if (filters.side[1].type == FilterType::Matched) {
        MatchTransmitResponse(out.dTxResponse, out.dRxResponse);
    }
    BuildChannelResponse(filters.lowPass, filters.highPass, dBaudRate, out.dChannelResponse);
    BuildTotalResponse(out.dChannelResponse, out.dTxResponse, out.dRxResponse, out.dTotalResponse);
}

}  // namespace linelab
