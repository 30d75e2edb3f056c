// The drawing of the steps overview: a numbered yellow marker at every step
// of the subject, a yellow line from each step to the next, and the window
// shaped so that only its frame, its title bar and its visible controls
// show. The controls it makes follow the window's last control; each drawing
// destroys those of the one before. It runs on the window's thread.
#pragma once

#include "assistant/AgentStap.h"
#include "assistant/AssistantClass.h"
#include "platform/data/Queue.h"
#include "platform/ui/Window.h"

class StepMarkers {
public:
    StepMarkers(AssistantClass& assistant, platform::Window& window) : a_(assistant), window_(window) {}

    // The steps' points are on the screen relative to the procedure window
    // (WINDOWPOSX, WINDOWPOSY); a marker stands ten units above its point.
    void draw(const platform::Queue<AGENTSTAPRecord>& steps);
    bool isMarker(platform::Long control) const;
    // The row a marker stands for.
    platform::Long rowOf(platform::Long marker) const;

private:
    AssistantFields::Point markerPoint(const AGENTSTAPRecord& step) const;
    void makeLine(AssistantFields::Point from, AssistantFields::Point to);
    void makeMarker(platform::Long row, AssistantFields::Point at);

    AssistantClass& a_;
    platform::Window& window_;
    // The markers, the lines and the full-window region of the last drawing: made_ ... region_.
    platform::Long made_ = 0, region_ = 0;
};
