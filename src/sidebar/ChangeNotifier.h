#pragma once

// Setters of the bar's settings store a new value and call Owner::Changed(), which repaints
// the bar; storing the value a setting already has does nothing.
template <class Owner> class TChangeNotifier {
protected:
    template <class T> void Store(T& field, const T& value)
    {
        if (field == value)
            return;
        field = value;
        static_cast<Owner*>(this)->Changed();
    }
};
