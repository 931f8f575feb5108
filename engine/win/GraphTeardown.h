// Emptying graphs and hanging their video windows into the caller's window.
#pragma once

#include "engine/win/ComHelpers.h"

namespace camera {

// Removes every filter from the graph. Always S_OK; a filter the graph will
// not let go of ends the work instead of looping on it.
HRESULT TearDownGraph(IGraphBuilder* graph);

// Puts a video window at the top left of its owner's client area with the
// size of ownerBounds (the owner's outer rectangle).
HRESULT PlaceInOwner(IVideoWindow* video, const RECT& ownerBounds);

// Makes the graph's video window a child of window filling it, and shows it.
// E_FAIL for a null graph or window, or a graph without a video window.
HRESULT AttachVideoWindow(IGraphBuilder* graph, HWND window);

// Hides the graph's video window and hands it back from its owner, so that
// releasing the graph leaves nothing inside the caller's window.
void DetachVideoWindow(IGraphBuilder* graph);

// Takes the video window out and removes every filter: a graph emptied
// this way can be released or rebuilt without leaving anything behind.
void EmptyGraph(IGraphBuilder* graph);

// Stops a graph through its media control, when it has one.
HRESULT StopGraph(IGraphBuilder* graph);

}  // namespace camera
