# settings windows: sources added to ostrel_ui by target_sources.
