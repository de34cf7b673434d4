// The queue the MIDI input threads hand their hits through.
#include "stepweave/sound/midi/multi_producer_queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

using namespace stepweave;

TEST(MultiProducerQueue, EveryItemOfManyProducersArrivesOnceInEachProducersOrder) {
    constexpr int kProducers = 4;
    constexpr int kItems = 20000;
    MultiProducerQueue<std::pair<int, int>> queue(64);
    std::atomic<int> started{0};
    std::vector<std::thread> producers;
    for (int producer = 0; producer < kProducers; ++producer) {
        producers.emplace_back([&, producer] {
            ++started;
            for (int item = 0; item < kItems;) {
                if (queue.TryPush({producer, item})) ++item;
                else std::this_thread::yield();
            }
        });
    }
    std::vector<int> next(kProducers, 0);
    int received = 0;
    while (received < kProducers * kItems) {
        std::pair<int, int> value;
        if (!queue.TryPop(value)) {
            std::this_thread::yield();
            continue;
        }
        ASSERT_EQ(value.second, next[static_cast<size_t>(value.first)]) << "producer " << value.first;
        ++next[static_cast<size_t>(value.first)];
        ++received;
    }
    for (std::thread& producer : producers) producer.join();
    std::pair<int, int> extra;
    EXPECT_FALSE(queue.TryPop(extra));
}

TEST(MultiProducerQueue, AFullQueueRefusesAndAnEmptyOneHasNothing) {
    MultiProducerQueue<int> queue(4);
    int value = 0;
    EXPECT_FALSE(queue.TryPop(value));
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(queue.TryPush(i));
    EXPECT_FALSE(queue.TryPush(4));
    EXPECT_TRUE(queue.TryPop(value));
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(queue.TryPush(4));
    for (int expected = 1; expected <= 4; ++expected) {
        ASSERT_TRUE(queue.TryPop(value));
        EXPECT_EQ(value, expected);
    }
}
