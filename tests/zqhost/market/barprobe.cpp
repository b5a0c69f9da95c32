// A strategy that says what market it sees: in onInit how many bars of
// 600000.SH getKLineData (or getKLineDataFromInitDate) answers for a period
// from a start on, and the first and last of them; then its first pushes
// with their period and the snapshot the host gives with each.
#include <cstdlib>
#include <cstring>

#include "norq/norq.h"

namespace {

constexpr const char* kFile = "barprobe.cpp";

void logBar(Norq::ZqLog& line, const char* datetime, double open, double high, double low, double close,
            int64_t volume) {
    line << datetime << " " << open << "/" << high << "/" << low << "/" << close << " volume "
         << static_cast<long long>(volume);
}

class BarProbe : public Norq::StrategyHandlerBase {
public:
    Norq::StrategyParams getParams() override {
        Norq::StrategyParams params;
        params.addStrParam("period", "kline_1m", "the period asked for");
        params.addStrParam("start", "20000101000000", "the first time asked for");
        params.addIntParam("pushes", 2, "pushes to log");
        params.addBoolParam("from_init", false, "ask getKLineDataFromInitDate from start on instead");
        return params;
    }

    void onInit(Norq::IZqContext* ctx) override {
        Norq::StrategyParams* params = ctx->getRunParams();
        Norq::KLineQuery query{};
        std::strncpy(query.symbol, "600000.SH", sizeof query.symbol - 1);
        std::strncpy(query.period, params->getStrValue("period").str(), sizeof query.period - 1);
        query.start = std::strtoll(params->getStrValue("start").str(), nullptr, 10);
        query.end = 20991231235959;
        pushes_ = params->getIntValue("pushes");
        Norq::KLineInitDateQuery from{};
        std::memcpy(from.symbol, query.symbol, sizeof from.symbol);
        std::memcpy(from.period, query.period, sizeof from.period);
        from.init_time = query.start;
        from.count = 1000;
        Norq::KLineDataList bars = params->getBoolValue("from_init") ? ctx->getSysApi()->getKLineDataFromInitDate(from)
                                                                     : ctx->getSysApi()->getKLineData(query);
        Norq::ZqLog(kFile, __LINE__, "BarProbe::onInit").info() << "history " << bars.getSize() << " bars";
        for (int i = 0; i < bars.getSize(); i = i == 0 && bars.getSize() > 1 ? bars.getSize() - 1 : bars.getSize()) {
            const Norq::KLineData& bar = bars.get(i);
            logBar(Norq::ZqLog(kFile, __LINE__, "BarProbe::onInit").info() << "history bar " << bar.symbol << " ",
                   bar.datetime, bar.open, bar.high, bar.low, bar.close, bar.total_volume);
        }
    }

    void onKLine(Norq::IZqContext* ctx, const Norq::KLineDataPush* bar) override {
        if (pushes_-- <= 0) return;
        Norq::ZqLog line(kFile, __LINE__, "BarProbe::onKLine");
        logBar(line.info() << "push " << bar->symbol << " " << bar->data_type << " ", bar->datetime, bar->open,
               bar->high, bar->low, bar->close, bar->total_volume);
        const Norq::Tick tick = ctx->getSysApi()->getSnapshot(bar->symbol);
        const Norq::Tick none = ctx->getSysApi()->getSnapshot("NONE.XX");
        line << ", snapshot " << tick.last << " at " << tick.update_time << ", of no symbol " << none.last << " at "
             << none.update_time;
    }

private:
    int pushes_ = 0;
};

BarProbe strategy;

}  // namespace

extern "C" NORQ_STRATEGY_EXPORT Norq::IStrategyHandler* getStrategyHandler() {
    return &strategy;
}
