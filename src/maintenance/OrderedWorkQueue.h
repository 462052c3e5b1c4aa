#pragma once
// Runs jobs on a few worker threads and hands the results back in the order
// the jobs were queued. The caller bounds the memory by queueing only a few
// jobs ahead (see pending()). With no worker threads every job runs in take().

#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

namespace Orb {

template <typename Result>
class OrderedWorkQueue {
public:
    explicit OrderedWorkQueue(int threads)
    {
        for (int i = 0; i < threads; ++i)
            m_workers.emplace_back([this] { work(); });
    }

    ~OrderedWorkQueue()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_wake.notify_all();
        for (std::thread &worker : m_workers)
            worker.join();
    }

    OrderedWorkQueue(const OrderedWorkQueue &) = delete;
    OrderedWorkQueue &operator=(const OrderedWorkQueue &) = delete;

    void submit(std::function<Result()> job)
    {
        std::packaged_task<Result()> task(std::move(job));
        m_results.push_back(task.get_future());
        if (m_workers.empty()) {
            m_inline.push_back(std::move(task));
            return;
        }
        {
            std::lock_guard lock(m_mutex);
            m_jobs.push_back(std::move(task));
        }
        m_wake.notify_one();
    }

    // Jobs queued whose results have not been taken yet.
    int pending() const { return static_cast<int>(m_results.size()); }

    // The result of the oldest job; waits for it.
    Result take()
    {
        if (!m_inline.empty()) {
            m_inline.front()();
            m_inline.pop_front();
        }
        Result result = m_results.front().get();
        m_results.pop_front();
        return result;
    }

private:
    void work()
    {
        for (;;) {
            std::packaged_task<Result()> task;
            {
                std::unique_lock lock(m_mutex);
                m_wake.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
                if (m_jobs.empty())
                    return;
                task = std::move(m_jobs.front());
                m_jobs.pop_front();
            }
            task();
        }
    }

    std::vector<std::thread> m_workers;
    std::deque<std::packaged_task<Result()>> m_jobs;
    std::deque<std::packaged_task<Result()>> m_inline;
    std::deque<std::future<Result>> m_results;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopping = false;
};

} // namespace Orb
