// Status polls soaked against servers that flap on every connection (reset,
// stall, garbage, a body that is not the status, a good answer): each poll
// ends within its two attempts' time-outs with the outcome its connections
// call for, and the process ends holding what it held. scripts/soak runs 10,000.
#include "core/api/DaemonAPI.h"
#include "support/FlappingServer.h"
#include "support/Printers.h"
#include "support/ProcessResources.h"
#include "support/SoakSettings.h"
#include "support/TestCertificates.h"
#include "support/Wait.h"

#include <QElapsedTimer>
#include <QFutureWatcher>
#include <algorithm>
#include <gtest/gtest.h>
#include <iostream>
#include <random>
#include <utility>
#include <vector>

using Behaviour = FlappingServer::Behaviour;
using Kind = DaemonApiError::Kind;
using StatusResult = Result<DaemonAPI::Status, DaemonAPI::Error>;
using namespace std::chrono_literals;

namespace {

// An HTTPS attempt and its plain-HTTP fall-back, 5 s each at most, and a
// margin for a loaded machine.
constexpr qint64 pollDeadlineMs = 2 * 5000 + 1000;

// An answer was written during this poll, on whichever connection: Qt may
// open connections on its own after a reset or garbage and send a later
// request on one. A failure comes from a connection since the previous poll
// began or, for a time-out, from a stall Qt kept open; Qt may also wait on its
// own reconnection after a reset (1 poll in 2,500), and the deadline ends it.
bool classifiedAsExpected(const QList<Behaviour>& connections, const QList<Behaviour>& answers,
                          bool stallWasOpen, const StatusResult& result)
{
    if (result)
        return result.value().version == u"1.0" && answers.contains(Behaviour::valid);
    switch (result.error().kind) {
    case Kind::cannotDecodeResponse:
        return answers.contains(Behaviour::badJson);
    case Kind::timedOut:
        return stallWasOpen || connections.contains(Behaviour::stall) ||
               connections.contains(Behaviour::reset);
    default:
        return connections.contains(Behaviour::reset) || connections.contains(Behaviour::garbage);
    }
}

std::string names(const QList<Behaviour>& behaviours)
{
    std::string words;
    for (Behaviour behaviour : behaviours)
        words += std::string(FlappingServer::name(behaviour)) + ' ';
    return words;
}

struct Totals
{
    int answeredWell = 0;
    qint64 longestMs = 0;
};

// One server and the channel that polls it, one poll at a time; a steady
// lane's server always answers well.
class Lane
{
public:
    Lane(std::mt19937& random, Totals& totals)
        : m_random(random)
        , m_totals(totals)
        , m_server([this] { return choose(); })
        , m_channel(m_server.port(), {TestCertificates::shared().caCertificate()})
    {
        QObject::connect(&m_watcher, &QFutureWatcher<StatusResult>::finished,
                         [this] { answered(); });
    }

    void run(int count, bool steady)
    {
        m_left = count;
        m_steady = steady;
        next();
    }
    bool done() const { return m_left == 0 && !m_watcher.isRunning(); }

private:
    Behaviour choose()
    {
        // A stall costs a whole time-out, so it is the rare one.
        const int roll = m_steady ? 99 : std::uniform_int_distribution(0, 99)(m_random);
        return roll < 2    ? Behaviour::stall
               : roll < 26 ? Behaviour::reset
               : roll < 50 ? Behaviour::garbage
               : roll < 74 ? Behaviour::badJson
                           : Behaviour::valid;
    }

    void next()
    {
        if (m_left == 0)
            return;
        --m_left;
        m_previousFirstConnection = std::exchange(m_firstConnection, m_server.behaviours().size());
        m_stallWasOpen = m_server.openStalls() > 0;
        m_firstAnswer = m_server.answers().size();
        m_clock.start();
        m_watcher.setFuture(DaemonAPI::status(m_channel));
    }

    void answered()
    {
        const qint64 tookMs = m_clock.elapsed();
        const StatusResult result = m_watcher.result();
        const auto connections = m_server.behaviours().mid(m_previousFirstConnection);
        const auto answers = m_server.answers().mid(m_firstAnswer);
        m_totals.longestMs = std::max(m_totals.longestMs, tookMs);
        m_totals.answeredWell += result.ok() ? 1 : 0;
        EXPECT_LE(tookMs, pollDeadlineMs);
        EXPECT_TRUE(classifiedAsExpected(connections, answers, m_stallWasOpen, result))
            << "after connections " << names(connections) << "and answers " << names(answers)
            << ": " << (result ? "ok" : result.error().logText().toStdString());
        next();
    }

    std::mt19937& m_random;
    Totals& m_totals;
    FlappingServer m_server;
    DaemonChannel m_channel;
    QFutureWatcher<StatusResult> m_watcher;
    int m_left = 0;
    bool m_steady = false;
    bool m_stallWasOpen = false;
    qsizetype m_firstConnection = 0;
    qsizetype m_previousFirstConnection = 0;
    qsizetype m_firstAnswer = 0;
    QElapsedTimer m_clock;
};

bool runAll(std::vector<std::unique_ptr<Lane>>& lanes, int pollsEach, bool steady)
{
    for (auto& lane : lanes)
        lane->run(pollsEach, steady);
    // Every lane may meet a stall on every poll in the worst case.
    return waitUntil(
        [&] { return std::ranges::all_of(lanes, [](auto& lane) { return lane->done(); }); },
        std::chrono::milliseconds(pollDeadlineMs) * pollsEach);
}

} // namespace

TEST(StatusPollSoak, FlappingServersNeitherLeakNorHoldAPoll)
{
    const int polls = SoakSettings::count("ZENTROPE_SOAK_POLLS", 400);
    const quint32 seed = SoakSettings::seed();
    std::cout << "status poll soak: " << polls << " polls, seed " << seed << std::endl;
    std::mt19937 random(seed);
    Totals totals;
    // Ten at once, so that stalls overlap instead of adding up.
    std::vector<std::unique_ptr<Lane>> lanes;
    for (int i = 0; i < 10; ++i)
        lanes.push_back(std::make_unique<Lane>(random, totals));
    // Warm-up (TLS contexts, network threads, buffers) and settling are steady,
    // so that both measurements find every channel in use and none waiting,
    // after a time-out, for its next request to start afresh.
    ASSERT_TRUE(runAll(lanes, 10, true));
    const ProcessResources before = ProcessResources::now();

    // In rounds, so that a leak shows as a trend: it grows as much in each
    // round, while the allocator's growth (arenas of the network threads that
    // come and go with retired managers) slows down.
    std::vector<qint64> grownKiB;
    for (int round = 1; round <= 5; ++round) {
        ASSERT_TRUE(runAll(lanes, polls / 50, false));
        grownKiB.push_back(ProcessResources::now().residentKiB - before.residentKiB);
        std::cout << "status poll soak: round " << round << ", RSS +" << grownKiB.back() << " KiB"
                  << std::endl;
    }
    ASSERT_TRUE(runAll(lanes, 3, true));
    // Managers retired after a time-out go with the events that follow, which
    // take seconds under the sanitizers on a busy machine.
    ProcessResources after;
    waitUntil(
        [&] {
            after = ProcessResources::now();
            return after.descriptors <= before.descriptors && after.threads <= before.threads;
        },
        20s);
    std::cout << "status poll soak: " << totals.answeredWell << " answered well, longest poll "
              << totals.longestMs << " ms; " << after.deltaFrom(before).toStdString() << std::endl;
    EXPECT_LE(after.descriptors, before.descriptors);
    EXPECT_LE(after.threads, before.threads);
    if (ProcessResources::residentSizeIsTelling) {
        EXPECT_LT(grownKiB[4] - grownKiB[2], std::max<qint64>(grownKiB[0], 2048))
            << "RSS still grows";
        // Over 50,000 polls it came back to within 0.5 MiB after each round
        // of 10,000, while RSS grew 9 MiB: what the allocator keeps.
        EXPECT_LT(after.heapInUseKiB - before.heapInUseKiB, 4096) << "heap still in use";
    }
}
