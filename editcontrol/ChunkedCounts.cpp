#include "editcontrol/ChunkedCounts.h"

#include <algorithm>
#include <numeric>

namespace {

constexpr int ChunkSize = 512;

} // namespace

void ChunkedCounts::assign(const std::vector<int>& counts)
{
    m_chunks.clear();
    m_size = int(counts.size());
    m_total = 0;
    for (std::size_t start = 0; start < counts.size(); start += ChunkSize) {
        Chunk chunk;
        const std::size_t end = std::min(counts.size(), start + ChunkSize);
        chunk.counts.assign(counts.begin() + std::ptrdiff_t(start), counts.begin() + std::ptrdiff_t(end));
        chunk.sum = std::accumulate(chunk.counts.begin(), chunk.counts.end(), 0LL);
        m_total += chunk.sum;
        m_chunks.push_back(std::move(chunk));
    }
}

std::pair<int, int> ChunkedCounts::locate(int index) const
{
    int chunk = 0;
    for (; chunk < int(m_chunks.size()); ++chunk) {
        const int length = int(m_chunks[std::size_t(chunk)].counts.size());
        if (index < length)
            return {chunk, index};
        index -= length;
    }
    if (m_chunks.empty())
        return {0, 0};
    return {int(m_chunks.size()) - 1, int(m_chunks.back().counts.size()) + index};
}

int ChunkedCounts::at(int index) const
{
    if (index < 0 || index >= m_size)
        return 0;
    const auto [chunk, place] = locate(index);
    return m_chunks[std::size_t(chunk)].counts[std::size_t(place)];
}

void ChunkedCounts::set(int index, int count)
{
    if (index < 0 || index >= m_size)
        return;
    const auto [chunk, place] = locate(index);
    Chunk& target = m_chunks[std::size_t(chunk)];
    const int delta = count - target.counts[std::size_t(place)];
    target.counts[std::size_t(place)] = count;
    target.sum += delta;
    m_total += delta;
}

void ChunkedCounts::setRange(int index, const std::vector<int>& counts)
{
    if (index < 0 || index >= m_size || counts.empty())
        return;
    auto [chunk, place] = locate(index);
    for (const int count : counts) {
        if (place == int(m_chunks[std::size_t(chunk)].counts.size())) {
            if (++chunk == int(m_chunks.size()))
                return;
            place = 0;
        }
        Chunk& target = m_chunks[std::size_t(chunk)];
        const int delta = count - target.counts[std::size_t(place)];
        target.counts[std::size_t(place++)] = count;
        target.sum += delta;
        m_total += delta;
    }
}

void ChunkedCounts::splice(int index, int removed, int inserted)
{
    index = std::clamp(index, 0, m_size);
    removed = std::clamp(removed, 0, m_size - index);
    // Removal chunk by chunk from the first affected one.
    while (removed > 0) {
        const auto [chunk, place] = locate(index);
        Chunk& target = m_chunks[std::size_t(chunk)];
        const int here = std::min(removed, int(target.counts.size()) - place);
        const auto first = target.counts.begin() + place;
        const long long gone = std::accumulate(first, first + here, 0LL);
        target.counts.erase(first, first + here);
        target.sum -= gone;
        m_total -= gone;
        m_size -= here;
        removed -= here;
        mergeIfSmall(chunk);
    }
    if (inserted <= 0)
        return;
    if (m_chunks.empty())
        m_chunks.emplace_back();
    const auto [chunk, place] = locate(index);
    Chunk& target = m_chunks[std::size_t(chunk)];
    target.counts.insert(target.counts.begin() + place, std::size_t(inserted), 0);
    m_size += inserted;
    splitIfLarge(chunk);
}

void ChunkedCounts::splitIfLarge(int chunk)
{
    Chunk& large = m_chunks[std::size_t(chunk)];
    if (int(large.counts.size()) <= 2 * ChunkSize)
        return;
    // Cut into chunks of ChunkSize; the inserted zeros may be many at once.
    std::vector<int> counts = std::move(large.counts);
    std::vector<Chunk> pieces;
    for (std::size_t start = 0; start < counts.size(); start += ChunkSize) {
        Chunk piece;
        const std::size_t end = std::min(counts.size(), start + ChunkSize);
        piece.counts.assign(counts.begin() + std::ptrdiff_t(start), counts.begin() + std::ptrdiff_t(end));
        piece.sum = std::accumulate(piece.counts.begin(), piece.counts.end(), 0LL);
        pieces.push_back(std::move(piece));
    }
    m_chunks.erase(m_chunks.begin() + chunk);
    m_chunks.insert(m_chunks.begin() + chunk, std::make_move_iterator(pieces.begin()),
                    std::make_move_iterator(pieces.end()));
}

void ChunkedCounts::mergeIfSmall(int chunk)
{
    Chunk& small = m_chunks[std::size_t(chunk)];
    if (small.counts.empty()) {
        m_chunks.erase(m_chunks.begin() + chunk);
        return;
    }
    // Removals must not leave a long row of tiny chunks behind them.
    const int next = chunk + 1;
    if (int(small.counts.size()) >= ChunkSize / 4 || next >= int(m_chunks.size()) ||
        int(small.counts.size() + m_chunks[std::size_t(next)].counts.size()) > 2 * ChunkSize)
        return;
    Chunk& following = m_chunks[std::size_t(next)];
    small.counts.insert(small.counts.end(), following.counts.begin(), following.counts.end());
    small.sum += following.sum;
    m_chunks.erase(m_chunks.begin() + next);
}

long long ChunkedCounts::before(int index) const
{
    index = std::clamp(index, 0, m_size);
    long long sum = 0;
    for (const Chunk& chunk : m_chunks) {
        const int length = int(chunk.counts.size());
        if (index >= length) {
            sum += chunk.sum;
            index -= length;
            continue;
        }
        return sum + std::accumulate(chunk.counts.begin(), chunk.counts.begin() + index, 0LL);
    }
    return sum;
}

int ChunkedCounts::holding(long long value, long long* offset) const
{
    long long sum = 0;
    int index = 0;
    for (const Chunk& chunk : m_chunks) {
        if (sum + chunk.sum <= value) {
            sum += chunk.sum;
            index += int(chunk.counts.size());
            continue;
        }
        for (const int count : chunk.counts) {
            if (sum + count > value) {
                *offset = value - sum;
                return index;
            }
            sum += count;
            ++index;
        }
    }
    // At or past the total: the last index.
    const int last = std::max(0, m_size - 1);
    *offset = value - before(last);
    return last;
}
