#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/text.h"

// A map whose iteration order is that of a 512-bucket hash table: h = h * 65599 + unit over the
// key's UTF-16 code units, bucket h mod 512, a new key at the head of its bucket's chain, buckets
// visited from 0 to 511. The catalogue lists formats to the user in this order.
template <class Value>
class BucketMap {
  public:
    static constexpr size_t kBuckets = 512;

    static uint32_t Hash(std::string_view key) {
        uint32_t h = 0;
        for (char16_t unit : Utf16Units(key)) {
            h = h * 65599u + unit;
        }
        return h;
    }

    BucketMap() { m_heads.fill(-1); }

    // The value of `key`, created at the head of its bucket's chain when new.
    Value& operator[](std::string_view key) {
        if (Value* found = Find(key)) {
            return *found;
        }
        const size_t bucket = Hash(key) % kBuckets;
        m_nodes.push_back({std::string(key), Value{}, m_heads[bucket]});
        m_heads[bucket] = static_cast<int>(m_nodes.size()) - 1;
        return m_nodes.back().value;
    }

    const Value* Find(std::string_view key) const {
        for (int n = m_heads[Hash(key) % kBuckets]; n >= 0; n = m_nodes[n].next) {
            if (m_nodes[n].key == key) {
                return &m_nodes[n].value;
            }
        }
        return nullptr;
    }
    Value* Find(std::string_view key) { return const_cast<Value*>(std::as_const(*this).Find(key)); }

    // Calls visit(key, value) in iteration order.
    template <class Visit>
    void ForEach(Visit visit) const {
        for (int head : m_heads) {
            for (int n = head; n >= 0; n = m_nodes[n].next) {
                visit(m_nodes[n].key, m_nodes[n].value);
            }
        }
    }

    size_t size() const { return m_nodes.size(); }

  private:
    struct Node {
        std::string key;
        Value value;
        int next;
    };
    std::array<int, kBuckets> m_heads;
    std::vector<Node> m_nodes;
};
