// The engine's list of usable capture devices of one kind, in the order the
// system enumerated them. Handle is what opens the device (a moniker on
// Windows); the list owns it.
#pragma once

#include "engine/core/BoundedText.h"

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace camera {

constexpr std::size_t kDeviceNameCapacity = 260;  // chars, terminator included

template <class Handle>
struct CaptureDeviceNode {
    std::string name;         // ANSI friendly name
    std::u16string wideName;  // UTF-16 friendly name (video devices only)
    int index = 0;            // position among the usable devices of its kind
    Handle moniker{};
};

template <class Handle>
class CCaptureDeviceList {
public:
    using Node = CaptureDeviceNode<Handle>;

    void Clear() { nodes_.clear(); }
    int Count() const { return static_cast<int>(nodes_.size()); }

    // Names are cut to what the fixed buffers of the flat API can carry.
    const Node& Append(std::string name, std::u16string wideName, Handle moniker) {
        Node node;
        node.name = std::move(name);
        node.wideName = std::move(wideName);
        if (node.name.size() >= kDeviceNameCapacity) node.name.resize(kDeviceNameCapacity - 1);
        if (node.wideName.size() >= kDeviceNameCapacity) node.wideName.resize(kDeviceNameCapacity - 1);
        node.index = Count();
        node.moniker = std::move(moniker);
        nodes_.push_back(std::move(node));
        return nodes_.back();
    }

    const Node* Find(int index) const {
        if (index < 0 || index >= Count()) return nullptr;
        return &nodes_[static_cast<std::size_t>(index)];
    }

    template <class Predicate>
    const Node* FindIf(Predicate matches) const {
        for (const Node& node : nodes_) {
            if (matches(node)) return &node;
        }
        return nullptr;
    }

    // The flat API's device query: *index -1 asks for the count, any other
    // index for that device's ANSI name (a buffer of kDeviceNameCapacity).
    bool AnswerQuery(int* index, char* name) const {
        if (index == nullptr) return false;
        if (*index == -1) {
            *index = Count();
            return true;
        }
        const Node* node = Find(*index);
        if (node == nullptr || name == nullptr) return false;
        CopyTerminated<char>(name, kDeviceNameCapacity, node->name);
        return true;
    }

private:
    std::vector<Node> nodes_;
};

}  // namespace camera
