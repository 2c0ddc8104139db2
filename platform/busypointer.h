#pragma once

namespace lexalon {

// The pointer values a window shows: the hourglass while a command works.
enum class MousePointer { Default = 0, Hourglass = 11 };

class BusyPointer
{
public:
    virtual ~BusyPointer() = default;
    virtual void setMousePointer(MousePointer pointer) = 0;
    virtual MousePointer mousePointer() const = 0;
};

// The pointer of work that no window shows, as in a batch run: the sorts
// still set one.
class UnseenPointer final : public BusyPointer
{
public:
    void setMousePointer(MousePointer pointer) override { m_pointer = pointer; }
    MousePointer mousePointer() const override { return m_pointer; }

private:
    MousePointer m_pointer = MousePointer::Default;
};

} // namespace lexalon
