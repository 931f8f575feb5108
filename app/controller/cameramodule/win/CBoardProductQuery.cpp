#include "CBoardProductQuery.h"

#include "BaseBoardProduct.h"
#include "winowners/ThreadOwners.h"

namespace vimbrel::controller {
namespace {

// Longer than the query's own bound: a reader waits for the answer, not
// for a query that went astray.
constexpr DWORD kAnswerWaitMs = kBoardQueryBoundMs + 1000;
// The query answers its stop between two asks; only one stuck inside WMI
// itself waits out this bound.
constexpr DWORD kStopBoundMs = 1000;
constexpr DWORD kAfterTerminateMs = 1000;

}  // namespace

CBoardProductQuery::CBoardProductQuery(Query query)
    : query_(query ? std::move(query) : Query(QueryBaseBoardProduct)),
      stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    if (stop_) thread_.reset(CreateThread(nullptr, 0, &CBoardProductQuery::Main, this, 0, nullptr));
}

void CBoardProductQuery::Stop() {
    if (!thread_) return;
    SetEvent(stop_.get());
    terminated_ = winowners::StopThread(thread_.get(), {kStopBoundMs, winowners::ThreadWait::Plain, kAfterTerminateMs});
    thread_.reset();
}

DWORD WINAPI CBoardProductQuery::Main(void* self) {
    auto* owner = static_cast<CBoardProductQuery*>(self);
    std::u16string product = owner->query_(owner->stop_.get());
    std::lock_guard<std::mutex> hold(owner->lock_);
    owner->product_ = std::move(product);
    return 0;
}

std::u16string CBoardProductQuery::Product() const {
    if (thread_) WaitForSingleObject(thread_.get(), kAnswerWaitMs);
    std::lock_guard<std::mutex> hold(lock_);
    return product_;
}

}  // namespace vimbrel::controller
